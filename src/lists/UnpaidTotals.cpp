#include "lists/UnpaidTotals.h"

#include "storage/Text.h"
#include "storage/Windows1252.h"
#include "voucher/ValueRule.h"

#include <QStringList>
#include <optional>

namespace scontrix::lists {

namespace {

// At most this many digits of cents: far past any voucher, and a million of
// them still add up within 128 bits.
constexpr int MaxCentDigits = 30;

// The digits of a plain amount, "1234,5" or "0,07", as cents; none for any
// other form or one past MaxCentDigits.
std::optional<Cents> plainCents(QByteArrayView v) {
    qsizetype i = 0;
    Cents euros = 0;
    int digits = 0;
    for (; i < v.size() && v[i] >= '0' && v[i] <= '9'; ++i, ++digits)
        euros = euros * 10 + (v[i] - '0');
    if (digits == 0 || digits > MaxCentDigits - 2)
        return std::nullopt;
    Cents cents = 0;
    if (i < v.size()) {
        const qsizetype decimals = v.size() - i - 1;
        if (v[i] != ',' || decimals < 1 || decimals > 2)
            return std::nullopt;
        for (qsizetype k = i + 1; k < v.size(); ++k) {
            if (v[k] < '0' || v[k] > '9')
                return std::nullopt;
            cents = cents * 10 + (v[k] - '0');
        }
        if (decimals == 1)
            cents *= 10;
    }
    return euros * 100 + cents;
}

} // namespace

namespace {

enum class ValueKind { Amount, NotANumber, Empty, Negative };

// A value as the editor's value rule reads and rounds it, so that whatever
// the rule writes in the field counts here as the amount it shows.
ValueKind readValue(const QString& value, Cents& cents) {
    if (storage::trimControl(value).isEmpty())
        return ValueKind::Empty;
    if (!voucher::parseCommaNumber(value))
        return ValueKind::NotANumber;
    const QString amount = voucher::formatVoucherValue(value);
    if (amount.startsWith(u'-'))
        return ValueKind::Negative;
    // Past MaxCentDigits: a number, but none a voucher is worth.
    const std::optional<Cents> read = plainCents(amount.toLatin1());
    if (!read)
        return ValueKind::NotANumber;
    cents = *read;
    return ValueKind::Amount;
}

} // namespace

std::optional<Cents> amountInCents(const QString& value) {
    Cents cents = 0;
    if (readValue(value, cents) != ValueKind::Amount)
        return std::nullopt;
    return cents;
}

QString euroText(Cents cents) {
    const bool negative = cents < 0;
    __extension__ unsigned __int128 magnitude =
        negative ? static_cast<unsigned __int128>(-cents) : static_cast<unsigned __int128>(cents);
    const auto fraction = static_cast<unsigned>(magnitude % 100);
    magnitude /= 100;
    QString units;
    int written = 0;
    do {
        if (written > 0 && written % 3 == 0)
            units.prepend(u'.');
        units.prepend(QChar(u'0' + static_cast<char16_t>(magnitude % 10)));
        magnitude /= 10;
        ++written;
    } while (magnitude != 0);
    return (negative ? QStringLiteral("-") : QString()) + units + u',' +
           QChar(u'0' + static_cast<char16_t>(fraction / 10)) +
           QChar(u'0' + static_cast<char16_t>(fraction % 10));
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

template <typename Text> QDate storedDate(const Text& text) {
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

} // namespace

void UnpaidTotals::addBytes(QByteArrayView value, QByteArrayView expiry, QDate today) {
    const std::optional<Cents> cents = plainCents(value);
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
    Cents cents = 0;
    switch (readValue(value, cents)) {
    case ValueKind::Amount:
        totalCents += cents;
        break;
    case ValueKind::NotANumber:
        ++notAmounts;
        break;
    case ValueKind::Empty:
        ++emptyValues;
        break;
    case ValueKind::Negative:
        ++negatives;
        break;
    }
    const QDate date = storedDate(expiry);
    if (date.isValid() && date < today)
        ++expired;
}

void UnpaidTotals::add(const UnpaidTotals& other) {
    count += other.count;
    totalCents += other.totalCents;
    notAmounts += other.notAmounts;
    emptyValues += other.emptyValues;
    negatives += other.negatives;
    expired += other.expired;
}

QString UnpaidTotals::summary() const {
    QString text = count == 1 ? QStringLiteral("1 buono non incassato")
                              : QStringLiteral("%1 buoni non incassati").arg(count);
    text += QStringLiteral(" per \u20ac %1").arg(euroText(totalCents));
    text +=
        expired == 1 ? QStringLiteral(", 1 scaduto") : QStringLiteral(", %1 scaduti").arg(expired);
    // What the total leaves out, each kind by its name.
    QStringList left;
    const auto name = [&](qint64 n, const char* one, const char* many) {
        if (n > 0)
            left << QStringLiteral("%1 ").arg(n) + QString::fromUtf8(n == 1 ? one : many);
    };
    name(notAmounts, "valore non numerico", "valori non numerici");
    name(emptyValues, "valore mancante", "valori mancanti");
    name(negatives, "valore negativo", "valori negativi");
    if (!left.isEmpty()) {
        const qint64 all = notAmounts + emptyValues + negatives;
        QString list = left.takeLast();
        if (!left.isEmpty())
            list = left.join(QStringLiteral(", ")) + QStringLiteral(" e ") + list;
        text += QStringLiteral(" (%1 %2)")
                    .arg(list, all == 1 ? QStringLiteral("escluso") : QStringLiteral("esclusi"));
    }
    return text;
}

} // namespace scontrix::lists
