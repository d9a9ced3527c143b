#include "voucher/ValueRule.h"

#include "storage/Text.h"

#include <QByteArray>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace scontrix::voucher {

std::optional<double> parseCommaNumber(const QString& text) {
    const QString& s = text;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto skipBlanks = [&] {
        while (i < n && s[i].unicode() <= 0x20)
            ++i;
    };
    QByteArray c; // the number with a decimal point, as from_chars reads it
    skipBlanks();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        c += static_cast<char>(s[i++].unicode());
    int digits = 0;
    bool comma = false;
    // Where the first digit that is not a leading zero stands against the
    // decimal comma: enough to tell a number too small for a double from one
    // too large.
    int magnitude = 0;
    bool significant = false;
    while (i < n) {
        const QChar ch = s[i];
        if (ch >= u'0' && ch <= u'9') {
            c += static_cast<char>(ch.unicode());
            ++digits;
            significant = significant || ch != u'0';
            if (significant && !comma)
                ++magnitude;
            else if (!significant && comma)
                --magnitude;
        } else if (ch == u',' && !comma) {
            c += '.';
            comma = true;
        } else {
            break;
        }
        ++i;
    }
    if (digits == 0)
        return std::nullopt;
    if (i < n && (s[i] == u'E' || s[i] == u'e')) {
        c += 'e';
        ++i;
        bool negativeExponent = false;
        if (i < n && (s[i] == u'+' || s[i] == u'-')) {
            negativeExponent = s[i] == u'-';
            c += static_cast<char>(s[i++].unicode());
        }
        int exponent = 0;
        int exponentDigits = 0;
        while (i < n && s[i] >= u'0' && s[i] <= u'9') {
            exponent = std::min(exponent * 10 + (s[i].unicode() - u'0'), 1'000'000);
            c += static_cast<char>(s[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
        magnitude += negativeExponent ? -exponent : exponent;
    }
    skipBlanks();
    if (i != n)
        return std::nullopt;
    // from_chars, unlike strtod, reads the same under every locale: the
    // desktop's own (an Italian one wants a comma) is in force once Qt starts.
    const char* first = c.constData();
    const char* last = first + c.size();
    if (*first == '+')
        ++first; // from_chars takes a minus sign only
    double v = 0;
    const auto [end, error] = std::from_chars(first, last, v, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Too small for a double is zero, as strtod has it; too large is no number.
        if (magnitude <= 0)
            return c.startsWith('-') ? -0.0 : 0.0;
        return std::nullopt;
    }
    if (error != std::errc() || end != last || !std::isfinite(v))
        return std::nullopt;
    return v;
}

namespace {

// 128 bits hold v*100 + 0.5 exactly for every value that needs the rounding.
__extension__ typedef __int128 Int128;
__extension__ typedef unsigned __int128 UInt128;

// Writes the integer `cents` (a whole number of hundredths) as "units,cc".
QString centsToText(Int128 cents) {
    const bool negative = cents < 0;
    UInt128 magnitude = negative ? static_cast<UInt128>(-cents) : static_cast<UInt128>(cents);
    const auto fraction = static_cast<unsigned>(magnitude % 100);
    magnitude /= 100;
    QString units;
    do {
        units.prepend(QChar(u'0' + static_cast<char16_t>(magnitude % 10)));
        magnitude /= 10;
    } while (magnitude != 0);
    QString out = negative ? QStringLiteral("-") : QString();
    out += units + u',' + QChar(u'0' + static_cast<char16_t>(fraction / 10)) +
           QChar(u'0' + static_cast<char16_t>(fraction % 10));
    return out;
}

} // namespace

QString formatVoucherValue(const QString& text) {
    if (storage::trimControl(text).isEmpty())
        return QString();
    const std::optional<double> parsed = parseCommaNumber(text);
    if (!parsed)
        return QStringLiteral("0,00");
    const double v = *parsed;
    if (v == 0.0)
        return QStringLiteral("0,00");

    // v = m * 2^e exactly, with m a whole number of at most 53 bits.
    int e = 0;
    const double fraction = std::frexp(v, &e);
    const auto m = static_cast<long long>(std::ldexp(fraction, 53));
    e -= 53;

    if (e >= 0) {
        // A whole number: v*100 + 0.5 truncates to v*100, so the amount is v
        // itself with ",00". Written in full, exactly as the binary value is,
        // by to_chars, which knows no locale (no grouping, whatever the desktop).
        char buffer[400];
        const auto written =
            std::to_chars(buffer, buffer + sizeof buffer, v, std::chars_format::fixed, 0);
        return QString::fromLatin1(buffer, written.ptr - buffer) + QStringLiteral(",00");
    }
    const int k = -e;
    if (k > 60) {
        // |v * 100| < 100 * 2^53 / 2^61 < 0.4: adding one half and cutting
        // towards zero always leaves 0.
        return QStringLiteral("0,00");
    }
    // v*100 + 0.5 = (200m + 2^k) / 2^(k+1), exactly, in 128-bit integers.
    const Int128 numerator = static_cast<Int128>(m) * 200 + (static_cast<Int128>(1) << k);
    const Int128 denominator = static_cast<Int128>(1) << (k + 1);
    const Int128 cents = numerator / denominator; // C++ division truncates towards zero
    return centsToText(cents);
}

} // namespace scontrix::voucher
