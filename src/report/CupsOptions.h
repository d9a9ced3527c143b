#pragma once

#include "report/PrintSystem.h"

class QPrinter;

// The driver options of CUPS printers: read from the printer's PPD, and handed
// to a job through Qt's CUPS print engine.
namespace scontrix::report::cups {

// The options of the printer's PPD that a job may set, in the PPD's order:
// neither the paper size (PageSize, PageRegion), which every report sets
// itself, nor the installable hardware. Empty when the print system has no
// PPD for the printer or cannot be reached.
QList<PrinterOption> printerOptions(const QString& printerName);

// Hands the settings to the job that `printer` will send; a printer that does
// not print through CUPS ignores them.
void applySettings(QPrinter& printer, const QList<TPrinterSetting>& settings);

} // namespace scontrix::report::cups
