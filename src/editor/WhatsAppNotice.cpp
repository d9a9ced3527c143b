#include "editor/WhatsAppNotice.h"

#include "storage/Text.h"

#include <QUrl>

namespace scontrix::editor {

namespace {
const QString ClientAddress = QStringLiteral("https://api.whatsapp.com/send");

QString encoded(const QString& value) {
    return QString::fromLatin1(QUrl::toPercentEncoding(value));
}
} // namespace

QString whatsAppMessage(const storage::VoucherTexts& voucher) {
    using storage::Holds;
    const auto t = [&voucher](Holds holds) { return storage::trimControl(voucher[holds]); };
    return QStringLiteral("La informiamo che è stato emesso il buono acquisto n. ") +
           t(Holds::Number) + QStringLiteral(" del valore di euro ") + t(Holds::Value) +
           QStringLiteral(" spendibile dal ") + t(Holds::ValidFrom) + QStringLiteral(" al ") +
           t(Holds::Expiry) + QStringLiteral(". Il buono è intestato al beneficiario ") +
           t(Holds::Beneficiary) + QStringLiteral(" che potrà utilizzarlo presso ") +
           t(Holds::Place);
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

QString whatsAppLink(const storage::VoucherTexts& voucher) {
    return ClientAddress + QStringLiteral("?phone=") +
           encoded(whatsAppPhone(storage::trimControl(voucher[storage::Holds::Mobile]))) +
           QStringLiteral("&text=") + encoded(whatsAppMessage(voucher));
}

} // namespace scontrix::editor
