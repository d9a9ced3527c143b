#include "guide/GuideTopic.h"

namespace scontrix::guide {

QString GuideTopic::joinParagraphs(const QStringList& paragraphs) {
    return paragraphs.join(QStringLiteral("\r\n\r\n"));
}

GuideTopic startScreenTopic() {
    static const QStringList paragraphs = {
        QStringLiteral(
            "Scontrix è il software pensato per le attività commerciali di ogni genere che "
            "desiderano emettere in modo rapido buoni acquisto per sconti, omaggi e merce resa. Il "
            "buono acquisto è un tagliando cartaceo che il negozio rilascia al cliente dopo la "
            "restituzione di un articolo oppure come sconto sugli acquisti futuri: il programma ne "
            "gestisce l'intera vita, dall'emissione fino all'incasso."),
        QStringLiteral(
            "Il buono può riportare il logo della propria azienda ed è composto da due sezioni: "
            "una parte grande destinata al cliente, che la riconsegna al momento dell'incasso, e "
            "una parte piccola che il negozio conserva per verificare il buono quando viene "
            "utilizzato."),
        QStringLiteral(
            "Il pulsante Creazione archivi apre una schermata che permette di creare un numero "
            "illimitato di database. Il nome dell'archivio va digitato per intero nella casella "
            "di testo e confermato con il pulsante sottostante; ogni nuovo archivio è un file di "
            "database con estensione EUR salvato nella cartella del programma."),
        QStringLiteral(
            "Ogni archivio può contenere un numero illimitato di schede di buoni acquisto. Si "
            "consiglia di attribuire agli archivi nomi descrittivi, composti da parole chiave che "
            "indichino il tipo di buoni che vi sono conservati (ad esempio Resi negozio centro "
            "oppure Sconti clienti fedeli)."),
        QStringLiteral(
            "Dopo aver digitato il nome si conferma con Applica e chiudi e si torna alla "
            "schermata iniziale; facendo clic su Emissione buoni si visualizza l'elenco di tutti "
            "i database creati: basta fare clic sull'archivio desiderato e premere Apri "
            "archivio."),
        QStringLiteral(
            "L'icona del cestino consente di eliminare l'archivio selezionato. Questa funzione va "
            "utilizzata con molta cautela, perché un archivio eliminato non può più essere "
            "recuperato."),
        QStringLiteral(
            "L'archivio scelto si apre in una schermata di lavoro nella quale si compilano, si "
            "stampano e si memorizzano i buoni. Ogni buono è dotato di matrice (parte madre e "
            "parte figlia) e si stampa su comuni fogli A4; la numerazione è automatica e "
            "progressiva. Il negozio conserva la matrice riepilogativa per controllare il buono "
            "al momento dell'incasso."),
        QStringLiteral(
            "Per ogni buono si registrano il valore in euro, le date di inizio validità e di "
            "scadenza, il negozio presso cui può essere speso, il beneficiario e le condizioni di "
            "utilizzo (ad esempio un importo minimo di spesa). Oltre a questi dati, che compaiono "
            "sulla stampa, si possono annotare il nome del cliente (che può essere diverso dal "
            "beneficiario), il suo indirizzo, il numero di cellulare e note libere; il pulsante "
            "alla destra del numero di cellulare avvisa il cliente con un messaggio WhatsApp."),
        QStringLiteral(
            "Per emettere un nuovo buono si fa clic su Nuovo (l'icona del foglio bianco), si "
            "compilano i campi e si preme Salva (l'icona del dischetto). Alcuni campi sono "
            "obbligatori: se uno di essi è vuoto il programma lo segnala e vi porta il cursore."),
        QStringLiteral(
            "Il logo può essere il marchio dell'azienda o qualsiasi immagine decorativa, uguale "
            "su tutti i buoni oppure diverso per ciascuno. Basta fare clic sull'immagine a "
            "sinistra del buono e scegliere un file JPEG o bitmap; le immagini quadrate danno il "
            "risultato migliore, qualunque sia la loro dimensione."),
        QStringLiteral(
            "Compilati il logo e i campi, il buono può essere visualizzato in anteprima sullo "
            "schermo oppure stampato direttamente con gli appositi pulsanti."),
        QStringLiteral(
            "I dati che di solito restano uguali (valore, date di inizio validità e di scadenza, "
            "negozio emittente e condizioni di utilizzo) vengono salvati automaticamente: non "
            "occorre digitarli di nuovo per il buono successivo e possono comunque essere "
            "modificati in qualsiasi momento."),
        QStringLiteral(
            "Il pulsante Trova cerca i buoni nell'archivio e, con un doppio clic sul risultato, "
            "richiama la scheda nella schermata di lavoro. Si possono combinare più filtri, per "
            "esempio per trovare tutti i buoni di un certo cliente oppure quelli le cui note "
            "contengono una determinata parola."),
        QStringLiteral(
            "Per aggiornare un buono se ne visualizza la scheda nella schermata di lavoro, con le "
            "frecce di scorrimento delle schede oppure con la ricerca, si modificano i campi e si "
            "preme Salva."),
        QStringLiteral(
            "La casella Incassato si spunta quando il beneficiario ha utilizzato il buono; il "
            "pulsante con l'icona del segno di spunta elenca tutti i buoni emessi e non ancora "
            "incassati."),
        QStringLiteral(
            "Tutte le schede possono essere esportate in un foglio Excel, per condividere i dati "
            "con chi non dispone del programma; il foglio si apre con qualsiasi programma in "
            "grado di leggere i file XLS."),
        QStringLiteral(
            "Il software può essere utilizzato in una rete locale per condividere gli archivi tra "
            "più postazioni di lavoro e può essere installato su tutti i computer di proprietà "
            "dell'utente."),
        QStringLiteral(
            "Scontrix funziona anche da una chiavetta USB: basta copiarvi la cartella del "
            "programma e fare doppio clic sull'icona dell'applicazione. La copia della cartella è "
            "anche il modo più rapido per eseguire il backup di tutti gli archivi."),
        QStringLiteral(
            "L'accesso è protetto da una password che l'utente può cambiare ogni volta che lo "
            "desidera; al primo accesso si utilizza la password lucernaviolina, da digitare senza "
            "virgolette."),
        QStringLiteral(
            "Scontrix è quindi lo strumento ideale per i commercianti che vogliono emettere buoni "
            "acquisto al computer, in sostituzione della merce resa o come sconti su misura, e non "
            "richiede praticamente alcun tempo di apprendimento."),
    };
    return {QStringLiteral("Uno sguardo a Scontrix"), GuideTopic::joinParagraphs(paragraphs)};
}

} // namespace scontrix::guide
