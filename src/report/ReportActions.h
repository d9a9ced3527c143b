#pragma once

#include "report/TReport.h"

class QWidget;

// What the program's windows do with a filled template: prepare it, preview
// it, print it. Every modal window and box of the engine opens here.
namespace scontrix::report {

// Prepares the report (TReport::prepare) and, when errors were collected,
// shows them in the engine's error box. True when there was none.
bool prepareReport(TReport& report, bool clearLastReport = true, QWidget* owner = nullptr);

// Prepares the report again and, if that succeeded, shows the preview window
// on it; with PreviewOptions.Modal it returns when the window is closed.
void showReport(TReport& report, bool clearLastReport = true, QWidget* owner = nullptr);

// Prints the prepared report: the print dialog (with ShowDialog), then the
// pages on the current printer or into the file chosen with "Print to file".
// `currentPage` is the page shown in a preview (from 1), 0 outside one. A
// report whose last preparation failed or gave no page is not printed: an
// error box says so. False then, and when there is no printer, the user
// cancelled, the printer could not be used or no page was selected; true when
// the pages were handed over.
bool printReport(TReport& report, QWidget* owner = nullptr, int currentPage = 0);

// Writes the prepared report into a PDF file chosen in a save dialog; false
// when cancelled or not written (a failure is shown in an error box).
bool exportReportToPdf(const TReport& report, QWidget* owner = nullptr);

} // namespace scontrix::report
