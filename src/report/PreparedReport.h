#pragma once

#include "report/ReportTypes.h"
#include "report/TReportView.h"

#include <memory>
#include <vector>

namespace scontrix::report {

// One output page: the paper of the report page and copies of the template
// objects with their final boxes (relative to the printable area), texts and
// pictures, in drawing order.
struct TPreparedPage {
    int PaperSize = 9;
    double PaperWidth = 210; // mm, as oriented
    double PaperHeight = 297;
    TPrinterOrientation Orientation = poPortrait;
    double LeftMargin = 0;
    double RightMargin = 0;
    double TopMargin = 0;
    double BottomMargin = 0;
    std::vector<std::unique_ptr<TReportView>> Objects;

    // The paper size in px.
    double widthPx() const { return mmToPx(PaperWidth); }
    double heightPx() const { return mmToPx(PaperHeight); }
};

class TPreparedReport {
public:
    int count() const { return static_cast<int>(pages_.size()); }
    bool isEmpty() const { return pages_.empty(); }
    const TPreparedPage& page(int index) const { return pages_.at(static_cast<size_t>(index)); }
    void clear() { pages_.clear(); }
    void add(TPreparedPage page) { pages_.push_back(std::move(page)); }

private:
    std::vector<TPreparedPage> pages_;
};

} // namespace scontrix::report
