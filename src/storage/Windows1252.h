#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <optional>

// Text conversion between the program's strings and the single-byte code page
// in which archives, settings files and the exported spreadsheet are written.
// Done by hand: the converter that ships with Qt 6.4 does not offer this code
// page unless Qt was built with ICU.
namespace scontrix::storage::cp1252 {

// Every byte has a character, including the five bytes the code page leaves
// undefined (81, 8D, 8F, 90, 9D), which become the control characters of the
// same code so that decode() followed by encode() gives back every byte.
QChar decodeByte(uchar byte);
QString decode(const QByteArray& bytes);
QString decode(const char* bytes, qsizetype size);

// The byte for a character that the code page holds as it is.
std::optional<uchar> encodeChar(char16_t c);

// Characters that the code page lacks are written as a close equivalent: a
// letter with a foreign accent as its base letter (or as the letter with the
// accent the code page has, e.g. u with diaeresis and macron as u with
// diaeresis), foreign quotes, dashes and spaces as plain ones, invisible format
// characters not at all; whatever has no equivalent becomes "?", and so does
// every character beyond the basic plane (one "?" for its surrogate pair).
QByteArray encode(const QString& text);

} // namespace scontrix::storage::cp1252
