#pragma once

#include "report/PrintSystem.h"

namespace scontrix::report {

// The process's list of printers and its current printer, read from the print
// system the first time it is needed. Choosing a printer in the print dialog
// makes it current for the rest of the run.
class TPrinterList {
public:
    static TPrinterList& instance();
    // Forgets the list: the next use reads the print system again (tests
    // install another one).
    static void reload();

    // False when the system reported no printer: the list then holds a single
    // placeholder.
    bool hasPhysicalPrinter() const { return physical_; }
    const QList<PrinterDescription>& printers() const { return printers_; }
    int currentIndex() const { return current_; }
    const PrinterDescription& current() const { return printers_.at(current_); }
    void setCurrentIndex(int index);
    // Makes the printer named `name` (ignoring letter case) current; false
    // when there is none of that name.
    bool selectByName(const QString& name);

private:
    TPrinterList();

    QList<PrinterDescription> printers_;
    int current_ = 0;
    bool physical_ = false;
};

} // namespace scontrix::report
