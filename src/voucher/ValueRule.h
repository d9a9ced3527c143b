#pragma once

#include <QString>
#include <optional>

namespace scontrix::voucher {

// Reads a number written with a decimal comma: optional blanks, an optional
// sign, digits with at most one comma (at least one digit in all), an optional
// exponent (E and a whole number), optional blanks, nothing else.
std::optional<double> parseCommaNumber(const QString& text);

// The voucher value as it is written once the shopkeeper leaves the field: an
// amount with exactly two decimals after a comma, no thousands separator.
// Blank input gives an empty text, unreadable input "0,00". The rounding is
// half up on the exact binary value (so 2,675, held as 2.67499…, gives 2,67
// and 0,125 gives 0,13), computed in integers so that every platform and
// compiler gives the same answer.
QString formatVoucherValue(const QString& text);

} // namespace scontrix::voucher
