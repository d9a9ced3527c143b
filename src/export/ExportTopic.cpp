#include "export/ExportTopic.h"

namespace scontrix::exporting {

guide::GuideTopic exportTopic() {
    static const QStringList paragraphs = {
        QStringLiteral(
            "Il pulsante Esporta archivio consente di esportare l'archivio annuale dei buoni "
            "acquisto in un file di Microsoft Excel, che potrà essere aperto con qualsiasi "
            "software in grado di gestire i file in formato XLS (ad esempio, con Open Office, "
            "Libre Office o Microsoft Office)."),
        QStringLiteral(
            "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
            "sull'icona di Excel. Questa operazione crea in tempo reale un file in formato XLS "
            "contenente le schede in archivio, che potrà essere aperto immediatamente "
            "rispondendo affermativamente al messaggio di domanda che appare."),
        QStringLiteral("A questo punto è sufficiente salvare il file sul proprio disco fisso "
                       "assegnandogli un nome qualsiasi."),
    };
    return {QStringLiteral("Esportazione archivio buoni acquisto in Excel"),
            guide::GuideTopic::joinParagraphs(paragraphs)};
}

} // namespace scontrix::exporting
