#include "lists/UnpaidTotals.h"

#include "editor/ValueRule.h"

#include <QLocale>
#include <cmath>
#include <optional>

namespace scontrix::lists {

std::optional<qint64> amountInCents(const QString& value) {
    const std::optional<double> number = editor::parseCommaNumber(value);
    // Beyond a thousand billion euro it is no shop's voucher but a typing slip.
    if (!number || !std::isfinite(*number) || std::fabs(*number) >= 1e12)
        return std::nullopt;
    return std::llround(*number * 100.0);
}

void UnpaidTotals::add(const QString& value, const QString& expiry, QDate today) {
    ++count;
    if (const auto cents = amountInCents(value))
        totalCents += *cents;
    else
        ++notAmounts;
    const QDate date = QDate::fromString(expiry, QStringLiteral("dd/MM/yyyy"));
    if (date.isValid() && date < today)
        ++expired;
}

QString UnpaidTotals::summary() const {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString euro = italian.toString(static_cast<double>(totalCents) / 100.0, 'f', 2);
    QString text = count == 1 ? QStringLiteral("1 buono non incassato")
                              : QStringLiteral("%1 buoni non incassati").arg(count);
    text += QStringLiteral(" per \u20ac %1").arg(euro);
    text += expired == 1 ? QStringLiteral(", 1 scaduto") : QStringLiteral(", %1 scaduti").arg(expired);
    if (notAmounts == 1)
        text += QStringLiteral(" (1 valore non numerico escluso)");
    else if (notAmounts > 1)
        text += QStringLiteral(" (%1 valori non numerici esclusi)").arg(notAmounts);
    return text;
}

} // namespace scontrix::lists
