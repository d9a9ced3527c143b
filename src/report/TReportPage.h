#pragma once

#include "report/PaperSizes.h"
#include "report/TReportBand.h"

namespace scontrix::report {

// A page of a template. Templates have two: an empty data page, which the
// engine ignores, then the report page.
class TBasePage : public TReportComponent {
protected:
    explicit TBasePage(QString name) : TReportComponent(std::move(name)) {}
    TBasePage(const TBasePage&) = default;
};

class TReportDataPage final : public TBasePage {
public:
    explicit TReportDataPage(QString name = {}) : TBasePage(std::move(name)) {}
    TReportDataPage(const TReportDataPage&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TReportDataPage(*this));
    }
};

// The page that is printed: its paper, margins and default font, and the
// shapes, text boxes, pictures and bands on it in template order.
class TReportPage final : public TBasePage {
public:
    explicit TReportPage(QString name = {}) : TBasePage(std::move(name)) {}
    TReportPage(const TReportPage&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TReportPage(*this));
    }

    // Paper in mm, as the page is oriented. Setting a width or a height alone
    // makes the paper a custom size.
    double paperWidth() const { return paperWidth_; }
    double paperHeight() const { return paperHeight_; }
    void setPaperWidth(double mm);
    void setPaperHeight(double mm);

    // Setting a standard code loads its width and height (swapped in landscape).
    int paperSize() const { return paperSize_; }
    void setPaperSize(int paperCode);

    // Changing it swaps width and height and turns the margins a quarter turn.
    TPrinterOrientation orientation() const { return orientation_; }
    void setOrientation(TPrinterOrientation orientation);

    double LeftMargin = 0; // mm
    double RightMargin = 0;
    double TopMargin = 0;
    double BottomMargin = 0;

    TFont Font; // for objects whose ParentFont is true

    // The paper less its margins, in px.
    double printableWidth() const { return mmToPx(paperWidth_ - LeftMargin - RightMargin); }
    double printableHeight() const { return mmToPx(paperHeight_ - TopMargin - BottomMargin); }

    template <typename T>
    requires std::derived_from<T, TReportView> || std::derived_from<T, TReportBand> T*
    add(const QString& name) {
        return adopt(std::make_unique<T>(name));
    }

    std::vector<TReportBand*> bands() const;
    // The objects placed on the page outside any band.
    std::vector<TReportView*> pageObjects() const;

private:
    double paperWidth_ = 210;
    double paperHeight_ = 297;
    int paperSize_ = PaperA4;
    TPrinterOrientation orientation_ = poPortrait;
};

} // namespace scontrix::report
