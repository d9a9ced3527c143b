#pragma once

#include <QString>

namespace scontrix::voucher {

// What every window that reads or writes the open archive says when the
// system refuses it: the editor and the two lists say it in the same words.
inline const QString AccessFailure =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") +
    QStringLiteral("\n\r\n\r") +
    QStringLiteral(
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
        "del programma.");

} // namespace scontrix::voucher
