#pragma once

#include <QSizeF>
#include <optional>

namespace scontrix::report {

// Paper codes as printers number them: 9 is A4, 256 a size of its own.
inline constexpr int PaperA4 = 9;
inline constexpr int PaperCustom = 256;

// Portrait width and height in mm of a standard paper code, or none for a code
// this engine does not know (and for the custom code).
std::optional<QSizeF> standardPaperSize(int paperCode);

} // namespace scontrix::report
