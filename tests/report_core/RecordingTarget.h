#pragma once

#include "report/PrintTarget.h"

#include <QImage>
#include <QPainter>
#include <QStringList>

namespace scontrix::test {

// A print device that keeps what it is asked to do as lines of text, and
// paints each page onto an image.
class RecordingTarget final : public report::PrintTarget {
public:
    bool copies = true;    // the device repeats pages itself
    bool startable = true; // beginDocument succeeds
    QStringList events;
    QList<int> pages;
    report::PrintJobSettings job;
    QList<QPageLayout> layouts;

    bool makesCopies() const override { return copies; }
    bool beginDocument(const report::PrintJobSettings& settings,
                       const report::PaperSettings& paper) override {
        job = settings;
        events << QStringLiteral("begin %1").arg(describe(paper));
        layouts << paper.pageLayout();
        if (!startable)
            return false;
        image_ = QImage(100, 100, QImage::Format_RGB32);
        return painter_.begin(&image_);
    }
    void setPaper(const report::PaperSettings& paper) override {
        events << QStringLiteral("paper %1").arg(describe(paper));
        layouts << paper.pageLayout();
    }
    bool beginPage(int pageNumber, bool) override {
        events << QStringLiteral("page %1").arg(pageNumber);
        pages << pageNumber;
        return true;
    }
    QPainter& painter() override { return painter_; }
    report::RenderTransform pageTransform() const override { return {0, 0, 0.1, 0.1, false}; }
    bool endDocument() override {
        events << QStringLiteral("end");
        return painter_.end();
    }

    static QString describe(const report::PaperSettings& p) {
        return QStringLiteral("%1 %2x%3 %4")
            .arg(p.paperSize)
            .arg(p.widthMm)
            .arg(p.heightMm)
            .arg(p.orientation == report::poPortrait ? QStringLiteral("portrait")
                                                     : QStringLiteral("landscape"));
    }

private:
    QImage image_;
    QPainter painter_;
};

} // namespace scontrix::test
