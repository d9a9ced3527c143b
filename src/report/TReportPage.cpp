#include "report/TReportPage.h"

#include <utility>

namespace scontrix::report {

void TReportPage::setPaperWidth(double mm) {
    paperWidth_ = mm;
    paperSize_ = PaperCustom;
}

void TReportPage::setPaperHeight(double mm) {
    paperHeight_ = mm;
    paperSize_ = PaperCustom;
}

void TReportPage::setPaperSize(int paperCode) {
    paperSize_ = paperCode;
    if (const auto size = standardPaperSize(paperCode)) {
        paperWidth_ = size->width();
        paperHeight_ = size->height();
        if (orientation_ == poLandscape)
            std::swap(paperWidth_, paperHeight_);
    }
}

void TReportPage::setOrientation(TPrinterOrientation orientation) {
    if (orientation == orientation_)
        return;
    orientation_ = orientation;
    std::swap(paperWidth_, paperHeight_);
    const double left = LeftMargin, top = TopMargin, right = RightMargin, bottom = BottomMargin;
    if (orientation == poLandscape) {
        LeftMargin = top;
        TopMargin = right;
        RightMargin = bottom;
        BottomMargin = left;
    } else {
        LeftMargin = bottom;
        TopMargin = left;
        RightMargin = top;
        BottomMargin = right;
    }
}

std::vector<TReportBand*> TReportPage::bands() const {
    std::vector<TReportBand*> result;
    for (const auto& child : children()) {
        if (auto* band = dynamic_cast<TReportBand*>(child.get()))
            result.push_back(band);
    }
    return result;
}

std::vector<TReportView*> TReportPage::pageObjects() const {
    std::vector<TReportView*> result;
    for (const auto& child : children()) {
        if (auto* view = dynamic_cast<TReportView*>(child.get()))
            result.push_back(view);
    }
    return result;
}

} // namespace scontrix::report
