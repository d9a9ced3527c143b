#pragma once

#include "report/PrintTarget.h"
#include "report/TReportOptions.h"

#include <QList>

namespace scontrix::report {

// Whether a page list such as "1,3,5-12", "2-" or "3,1" is well formed.
// Blanks do not count; an empty list stands for all pages.
bool isValidPageList(const QString& pageNumbers);

// The pages (from 1) that a page list names, in its order, leaving out those
// beyond the report; every page in order when the list is empty. "a-b" is a
// range (downwards when a > b), "a-" runs to the last page, "-b" from the first.
QList<int> pageSequence(const QString& pageNumbers, int pageCount);

// The pages in the order they reach the device, and how many times the device
// itself repeats each one: the page list, reversed on request, without the odd
// or even pages, then copies collated (the whole run again) or not (each page
// in a row, by the device when it can).
struct PrintPlan {
    QList<int> pages;
    int deviceCopies = 1;
};
PrintPlan planPrint(const TPrintOptions& options, int pageCount, bool deviceMakesCopies);

enum class PrintOutcome {
    Printed,
    NothingToPrint, // the options select no page
    DeviceFailed,   // the device could not be started
};

// Hands the prepared pages to a device as the options say: the paper set only
// when it changes, each page rendered at the device's resolution from the
// paper's corner.
PrintOutcome printPages(const TPreparedReport& report, const TPrintOptions& options,
                        const QString& documentName, PrintTarget& target);

} // namespace scontrix::report
