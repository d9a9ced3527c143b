#include "lists/UnpaidTotals.h"

#include "editor/ValueRule.h"
#include "storage/Windows1252.h"

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

namespace {

// A stored date, "dd/mm/yyyy" with whatever date separator the machine that
// wrote it had: "/", "." or "-", the same twice. An archive kept on a German
// desktop ("31.12.2025") reads the same on an Italian one. Read by hand, since
// a format-driven parse costs more than the whole scan of a big archive.
char16_t charAt(const QString& text, qsizetype i) {
    return text[i].unicode();
}
char16_t charAt(QByteArrayView text, qsizetype i) {
    return static_cast<uchar>(text[i]); // Windows-1252: ASCII is itself
}

template <typename Text>
QDate storedDate(const Text& text) {
    auto at = [&](qsizetype i) { return charAt(text, i); };
    if (text.size() != 10)
        return {};
    const char16_t separator = at(2);
    if ((separator != u'/' && separator != u'.' && separator != u'-') || at(5) != separator)
        return {};
    auto number = [&](int from, int length) {
        int value = 0;
        for (int i = from; i < from + length; ++i) {
            const char16_t c = at(i);
            if (c < u'0' || c > u'9')
                return -1;
            value = value * 10 + (c - u'0');
        }
        return value;
    };
    const int day = number(0, 2);
    const int month = number(3, 2);
    const int year = number(6, 4);
    if (day < 0 || month < 0 || year < 0)
        return {};
    return QDate(year, month, day); // invalid for a day that does not exist
}

// Whole euros and up to two decimals after a comma, with an optional minus:
// the value as the editor writes it. None for any other form.
std::optional<qint64> plainCents(QByteArrayView v) {
    qsizetype i = 0;
    const bool negative = !v.isEmpty() && v[0] == '-';
    if (negative)
        ++i;
    qint64 euros = 0;
    int digits = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i, ++digits)
        euros = euros * 10 + (v[i] - '0');
    if (digits == 0 || digits > 12)
        return std::nullopt;
    qint64 cents = 0;
    if (i < v.size()) {
        if (v[i] != ',' || v.size() - i - 1 < 1 || v.size() - i - 1 > 2)
            return std::nullopt;
        for (qsizetype k = i + 1; k < v.size(); ++k) {
            if (v[k] < '0' || v[k] > '9')
                return std::nullopt;
            cents = cents * 10 + (v[k] - '0');
        }
        if (v.size() - i - 1 == 1)
            cents *= 10;
    }
    const qint64 total = euros * 100 + cents;
    return negative ? -total : total;
}

} // namespace

void UnpaidTotals::addBytes(QByteArrayView value, QByteArrayView expiry, QDate today) {
    const std::optional<qint64> cents = plainCents(value);
    if (!cents) {
        add(storage::cp1252::decode(value.data(), value.size()),
            storage::cp1252::decode(expiry.data(), expiry.size()), today);
        return;
    }
    ++count;
    totalCents += *cents;
    const QDate date = storedDate(expiry);
    if (date.isValid() && date < today)
        ++expired;
}

void UnpaidTotals::add(const QString& value, const QString& expiry, QDate today) {
    ++count;
    if (const auto cents = amountInCents(value))
        totalCents += *cents;
    else
        ++notAmounts;
    const QDate date = storedDate(expiry);
    if (date.isValid() && date < today)
        ++expired;
}

void UnpaidTotals::add(const UnpaidTotals& other) {
    count += other.count;
    totalCents += other.totalCents;
    notAmounts += other.notAmounts;
    expired += other.expired;
}

QString UnpaidTotals::summary() const {
    const QLocale italian(QLocale::Italian, QLocale::Italy);
    const QString euro = italian.toString(static_cast<double>(totalCents) / 100.0, 'f', 2);
    QString text = count == 1 ? QStringLiteral("1 buono non incassato")
                              : QStringLiteral("%1 buoni non incassati").arg(count);
    text += QStringLiteral(" per \u20ac %1").arg(euro);
    text +=
        expired == 1 ? QStringLiteral(", 1 scaduto") : QStringLiteral(", %1 scaduti").arg(expired);
    if (notAmounts == 1)
        text += QStringLiteral(" (1 valore non numerico escluso)");
    else if (notAmounts > 1)
        text += QStringLiteral(" (%1 valori non numerici esclusi)").arg(notAmounts);
    return text;
}

} // namespace scontrix::lists
