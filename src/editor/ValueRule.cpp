#include "editor/ValueRule.h"

#include "storage/Text.h"

#include <QByteArray>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace scontrix::editor {

std::optional<double> parseCommaNumber(const QString& text) {
    const QString& s = text;
    qsizetype i = 0;
    const qsizetype n = s.size();
    auto skipBlanks = [&] {
        while (i < n && s[i].unicode() <= 0x20)
            ++i;
    };
    QByteArray c; // the number in the C locale's form, for strtod
    skipBlanks();
    if (i < n && (s[i] == u'+' || s[i] == u'-'))
        c += static_cast<char>(s[i++].unicode());
    int digits = 0;
    bool comma = false;
    while (i < n) {
        const QChar ch = s[i];
        if (ch >= u'0' && ch <= u'9') {
            c += static_cast<char>(ch.unicode());
            ++digits;
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
        if (i < n && (s[i] == u'+' || s[i] == u'-'))
            c += static_cast<char>(s[i++].unicode());
        int exponentDigits = 0;
        while (i < n && s[i] >= u'0' && s[i] <= u'9') {
            c += static_cast<char>(s[i++].unicode());
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return std::nullopt;
    }
    skipBlanks();
    if (i != n)
        return std::nullopt;
    // strtod reads "." whatever the process locale, as long as the C locale is
    // in force for numbers, which Qt keeps.
    char* end = nullptr;
    const double v = std::strtod(c.constData(), &end);
    if (end != c.constData() + c.size() || !std::isfinite(v))
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
        // itself with ",00". Printed in full, exactly as the binary value is.
        char buffer[400];
        std::snprintf(buffer, sizeof buffer, "%.0f", v);
        return QString::fromLatin1(buffer) + QStringLiteral(",00");
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

} // namespace scontrix::editor
