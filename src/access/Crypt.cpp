#include "access/Crypt.h"

#include "storage/Text.h"

#include <cstdint>

namespace scontrix::access::Crypt {

namespace {

constexpr std::uint16_t StartKey = 4739;
constexpr std::uint16_t Multiplier = 30517;
constexpr std::uint16_t AddKey = 29405;

// Every addition and multiplication wraps modulo 65536.
std::uint16_t nextKey(std::uint16_t key, std::uint8_t scrambled) {
    const std::uint32_t sum = (static_cast<std::uint32_t>(scrambled) + key) & 0xFFFFu;
    return static_cast<std::uint16_t>((sum * Multiplier + AddKey) & 0xFFFFu);
}

int hexDigit(QChar c) {
    const char16_t u = c.unicode();
    if (u >= u'0' && u <= u'9')
        return u - u'0';
    if (u >= u'A' && u <= u'F')
        return u - u'A' + 10;
    if (u >= u'a' && u <= u'f')
        return u - u'a' + 10;
    return -1;
}

} // namespace

QString Scramble(const QString& password) {
    static constexpr char digits[] = "0123456789ABCDEF";
    QString out;
    out.reserve(password.size() * 2);
    std::uint16_t key = StartKey;
    for (const QChar ch : password) {
        const auto plain = static_cast<std::uint8_t>(ch.unicode() & 0xFF);
        const auto c = static_cast<std::uint8_t>(plain ^ (key >> 8));
        out += QLatin1Char(digits[c >> 4]);
        out += QLatin1Char(digits[c & 0x0F]);
        key = nextKey(key, c);
    }
    return out;
}

std::optional<QString> Unscramble(const QString& stored) {
    const qsizetype pairs = stored.size() / 2;
    QString out;
    out.reserve(pairs);
    std::uint16_t key = StartKey;
    for (qsizetype i = 0; i < pairs; ++i) {
        const int hi = hexDigit(stored[2 * i]);
        const int lo = hexDigit(stored[2 * i + 1]);
        if (hi < 0 || lo < 0)
            return std::nullopt;
        const auto c = static_cast<std::uint8_t>(hi * 16 + lo);
        out += QChar(static_cast<char16_t>(c ^ (key >> 8)));
        key = nextKey(key, c);
    }
    return out;
}

QString Normalise(const QString& typed) {
    return storage::trimControl(storage::foldAsciiUpper(typed));
}

bool IsStorable(const QString& password) {
    if (password.size() > MaxPasswordLength)
        return false;
    for (const QChar ch : password) {
        if (ch.unicode() > 0xFF)
            return false;
    }
    return true;
}

} // namespace scontrix::access::Crypt
