#pragma once

#include "lists/ListRows.h"
#include "report/TReport.h"

#include <memory>

namespace scontrix::lists {

// The list template `repRiepilogo`: A4 landscape with 10 mm margins, a title
// band, one data band holding the list and a footer with the date of printing.
std::unique_ptr<report::TReport> makeRiepilogoTemplate();

// The height the list's text box gets per line when it is filled, in report
// pixels: the engine's line pitch for 8 pt Courier New (12.67) fits within it.
inline constexpr double ListLineHeight = 12.822;

// Fills the template with the title and the rows in the order given, one line
// each, and sizes the text box and its band to them (plus 10 px for the band).
// Rows are user data and go on paper exactly as listed: the list's text box
// does not evaluate bracketed words (the footer's [DATE] still is).
void fillListReport(report::TReport& report, const QString& title, const ListRows& rows);

} // namespace scontrix::lists
