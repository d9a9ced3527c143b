#pragma once

#include "report/ReportTypes.h"
#include "report/TReportComponent.h"

#include <QRectF>

namespace scontrix::report {

// An object that is drawn: a shape, a text box or a picture. Its box is in
// report pixels relative to its parent (the printable area, or its band).
class TReportView : public TReportComponent {
public:
    double Left = 0;
    double Top = 0;
    double Width = 0;
    double Height = 0;
    TAlphaColor Color = claNull; // fill of the whole box
    TFrame Frame;
    bool Visible = true;
    bool Printable = true;

    void setBounds(double left, double top, double width, double height) {
        Left = left;
        Top = top;
        Width = width;
        Height = height;
    }
    QRectF bounds() const { return {Left, Top, Width, Height}; }

protected:
    explicit TReportView(QString name) : TReportComponent(std::move(name)) {}
    TReportView(const TReportView&) = default;
};

// A rectangle filled with Color and outlined with Frame.Color at Frame.Width.
class TShapeView final : public TReportView {
public:
    explicit TShapeView(QString name = {}) : TReportView(std::move(name)) {}
    TShapeView(const TShapeView&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TShapeView(*this));
    }
};

} // namespace scontrix::report
