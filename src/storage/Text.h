#pragma once

#include <QString>

namespace scontrix::storage {

// Removes every leading and trailing character of code 0 to 32 (blanks, tabs,
// line breaks and other control characters). Other Unicode spaces, such as the
// no-break space, are text and stay.
QString trimControl(const QString& text);

// Turns a-z into A-Z and nothing else: accented letters keep their case, so
// that comparisons give the same answer on every desktop whatever its locale.
QString foldAsciiUpper(const QString& text);

} // namespace scontrix::storage
