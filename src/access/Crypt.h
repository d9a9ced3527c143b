#pragma once

#include <QString>
#include <optional>

// The scrambled form in which the access password is stored: two upper-case
// hexadecimal digits per character, each byte mixed with a rolling 16-bit key.
// Only the low 8 bits of each character survive, so passwords are limited to
// U+0000..U+00FF and, by the key's character counter, to 255 characters.
namespace scontrix::access::Crypt {

inline constexpr int MaxPasswordLength = 255;

QString Scramble(const QString& password);

// The password a stored value encodes. Letters a-f are accepted in either case
// and a last, odd digit is ignored; a pair that is not hexadecimal gives nothing.
std::optional<QString> Unscramble(const QString& stored);

// A password is kept the same whatever the case of a-z and the blanks around it.
QString Normalise(const QString& typed);

// True when `password` survives scrambling unchanged.
bool IsStorable(const QString& password);

} // namespace scontrix::access::Crypt
