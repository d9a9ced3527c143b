#pragma once

#include "report/Expressions.h"
#include "report/PreparedReport.h"
#include "report/TReportPage.h"

#include <QStringList>
#include <functional>

namespace scontrix::report {

struct PreparationSettings {
    ExpressionContext expressions;
    std::function<void()> onPagePart; // may be empty
};

// One engine run over a report page: title, page objects, then each data band
// with its rows and footer, cut into output pages that are appended to `out`.
// The page is only read. A failure adds its line to `errors` and ends the
// run; pages completed before it stay in `out`.
void runReport(const TReportPage& page, const PreparationSettings& settings, TPreparedReport& out,
               QStringList& errors);

} // namespace scontrix::report
