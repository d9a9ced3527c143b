#include "editor/WhatsAppNotice.h"

#include <QUrl>

namespace scontrix::editor {

namespace {
const QString ClientAddress = QStringLiteral("https://api.whatsapp.com/send");

QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
} // namespace

QString whatsAppMessage(const WhatsAppNotice& n) {
    return QStringLiteral("La informiamo che è stato emesso il buono acquisto n. ") + n.num +
           QStringLiteral(" del valore di euro ") + n.evento + QStringLiteral(" spendibile dal ") +
           n.prezzo + QStringLiteral(" al ") + n.spettatore +
           QStringLiteral(". Il buono è intestato al beneficiario ") + n.posto +
           QStringLiteral(" che potrà utilizzarlo presso ") + n.luogo;
}

QString whatsAppPhone(const QString& cel) {
    if (cel.startsWith(u'+'))
        return cel.mid(1);
    if (cel.startsWith(u"00"))
        return cel.mid(2);
    if (cel.size() <= 10)
        return QStringLiteral("39") + cel;
    return cel;
}

QString whatsAppLink(const WhatsAppNotice& notice) {
    return ClientAddress + QStringLiteral("?phone=") + encoded(whatsAppPhone(notice.cel)) +
           QStringLiteral("&text=") + encoded(whatsAppMessage(notice));
}

} // namespace scontrix::editor
