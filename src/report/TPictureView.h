#pragma once

#include "report/TReportView.h"

#include <QImage>

namespace scontrix::report {

// A picture box. By default the picture is scaled into the box keeping its
// proportions, over a white background.
class TPictureView final : public TReportView {
public:
    explicit TPictureView(QString name = {}) : TReportView(std::move(name)) { Color = claWhite; }
    TPictureView(const TPictureView&) = default;
    std::unique_ptr<TReportComponent> clone() const override {
        return std::unique_ptr<TReportComponent>(new TPictureView(*this));
    }

    QImage Picture; // owned by the box; a null image is an empty picture
    bool Stretched = true;
    bool KeepAspectRatio = true;
    bool Center = false;
    bool HighQuality = false;                // smooth instead of fast scaling
    bool Transparent = false;                // no background behind the picture
    TAlphaColor TransparentColor = claWhite; // kept with the template; drawing ignores it

    // Copies the bitmap; an empty one empties the box.
    void setPicture(const QImage& picture) { Picture = picture; }
};

} // namespace scontrix::report
