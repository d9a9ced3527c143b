#include "catalogue/CatalogueTopic.h"

namespace scontrix::catalogue {

guide::GuideTopic archivesTopic() {
    static const QStringList paragraphs = {
        QStringLiteral(
            "Il pulsante Creazione archivi della schermata iniziale apre una schermata che "
            "permette "
            "di creare un numero illimitato di database destinati a contenere i buoni acquisto. Il "
            "nome completo dell'archivio va digitato nella casella di testo e confermato con il "
            "pulsante in basso; ogni nuovo archivio è un database con estensione EUR salvato nella "
            "cartella del programma."),
        QStringLiteral(
            "Ogni archivio può contenere un numero illimitato di schede di buoni acquisto. Per "
            "distinguerlo facilmente dagli altri conviene attribuirgli un nome composto da parole "
            "chiave che descrivano il tipo di buoni che vi sono conservati."),
        QStringLiteral(
            "Dopo aver digitato il nome si preme Applica e chiudi e si torna alla schermata "
            "iniziale, dove il pulsante Emissione buoni mostra l'elenco di tutti i database "
            "creati: qui si fa clic sul nome del database e si preme Apri archivio."),
        QStringLiteral(
            "L'icona del cestino consente di eliminare l'archivio selezionato. Questa funzione va "
            "utilizzata con molta cautela dal momento che un archivio eliminato non può essere "
            "recuperato."),
    };
    return {QStringLiteral("Gestione archivi buoni acquisto"),
            guide::GuideTopic::joinParagraphs(paragraphs)};
}

} // namespace scontrix::catalogue
