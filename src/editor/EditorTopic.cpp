#include "editor/EditorTopic.h"

namespace scontrix::editor {

guide::GuideTopic editorTopic() {
    static const QStringList paragraphs = {
        QStringLiteral(
            "Dopo aver selezionato l'archivio di interesse si accede alla schermata di lavoro, "
            "nella quale si compilano, si stampano e si archiviano i buoni acquisto. Ogni buono è "
            "numerato ed è dotato di matrice: la parte grande è il buono vero e proprio, da "
            "consegnare al cliente, mentre la parte piccola è la matrice di riepilogo. I buoni si "
            "stampano su normali fogli A4 e la numerazione è progressiva e automatica. Il negozio "
            "conserva la matrice per verificare l'autenticità del buono al momento dell'incasso."),
        QStringLiteral(
            "Su ogni buono acquisto è possibile indicare il valore in euro, la data di inizio e "
            "di fine validità, l'attività presso la quale il buono può essere speso, il "
            "beneficiario e le condizioni di utilizzo (ad esempio una spesa minima). La scheda "
            "raccoglie inoltre il nome, l'indirizzo e il numero di cellulare del cliente e le "
            "note; il pulsante a destra del numero di cellulare invia al cliente un messaggio di "
            "WhatsApp che conferma l'emissione del buono."),
        QStringLiteral(
            "Per compilare la scheda di un nuovo buono acquisto si preme il pulsante Nuovo "
            "(l'icona con il foglio bianco), si compilano i campi e si preme il pulsante Salva "
            "(l'icona con il floppy disk). Alcuni campi sono obbligatori: se uno di essi è vuoto "
            "il programma lo segnala e vi porta il cursore."),
        QStringLiteral(
            "La grafica del buono acquisto può essere resa più professionale inserendo un logo: "
            "si può usare lo stesso logo per tutti i buoni oppure un'immagine diversa per "
            "ciascuno. "
            "Basta fare clic sull'immagine a sinistra e scegliere un file in formato Jpeg o "
            "Bitmap. Le immagini di forma quadrata danno il risultato migliore; le loro dimensioni "
            "non hanno importanza."),
        QStringLiteral(
            "Dopo aver caricato il logo e compilato i campi di testo si può visualizzare "
            "l'anteprima del buono sullo schermo oppure stamparlo direttamente con gli appositi "
            "pulsanti Anteprima e Stampa."),
        QStringLiteral(
            "I dati che normalmente restano invariati da un buono all'altro, cioè il valore, le "
            "date di inizio e di fine validità, il nome dell'attività e le condizioni di utilizzo, "
            "vengono salvati automaticamente e non occorre digitarli di nuovo per un nuovo buono; "
            "possono comunque essere modificati in qualsiasi momento."),
        QStringLiteral(
            "Il pulsante Trova consente di effettuare una ricerca fra i buoni in archivio e di "
            "richiamare un buono con un doppio clic sull'elenco dei risultati. Si possono usare "
            "più filtri insieme, ad esempio per trovare tutti i buoni di un cliente oppure quelli "
            "che contengono una certa parola nelle note."),
        QStringLiteral(
            "Per aggiornare i dati di un buono acquisto lo si visualizza con le frecce di "
            "scorrimento oppure con la ricerca, si modificano i campi e si preme il pulsante "
            "Salva."),
        QStringLiteral(
            "La casella Incassato va spuntata quando il beneficiario ha utilizzato il buono "
            "acquisto. Il pulsante con il segno di spunta verde mostra l'elenco di tutti i buoni "
            "non ancora incassati."),
        QStringLiteral(
            "E' inoltre possibile esportare le schede di tutti i buoni acquisto in un foglio di "
            "Excel, per condividerle con altri; il file si apre con qualsiasi programma che legge "
            "i "
            "file XLS (ad esempio Open Office, Libre Office o Microsoft Office)."),
    };
    return {QStringLiteral("Emissione buoni acquisto"),
            guide::GuideTopic::joinParagraphs(paragraphs)};
}

} // namespace scontrix::editor
