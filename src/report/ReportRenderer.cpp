#include "report/ReportRenderer.h"

#include "report/TMemoView.h"
#include "report/TPictureView.h"

#include <QPaintDevice>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace scontrix::report {

namespace {

QColor colourOf(TAlphaColor argb) {
    return QColor::fromRgba(argb);
}

bool paints(TAlphaColor argb) {
    return argb != claNull;
}

Qt::PenStyle penStyleOf(TFrameStyle style) {
    switch (style) {
    case fsDash:
        return Qt::DashLine;
    case fsDot:
        return Qt::DotLine;
    case fsDashDot:
        return Qt::DashDotLine;
    case fsDashDotDot:
        return Qt::DashDotDotLine;
    case fsSolid:
        break;
    }
    return Qt::SolidLine;
}

// The object's box on the device, each edge on a whole device pixel.
struct DeviceBox {
    int x0, y0, x1, y1;
    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
};

class PageRenderer {
public:
    PageRenderer(QPainter& painter, const TPreparedPage& page, const RenderTransform& t)
        : p_(painter), t_(t), ox_(t.offsetX + t.scaleX * page.LeftMargin * PixelsPerMm),
          oy_(t.offsetY + t.scaleY * page.TopMargin * PixelsPerMm) {}

    void draw(const TReportView& view) {
        const DeviceBox box = boxOf(view);
        if (const auto* memo = dynamic_cast<const TMemoView*>(&view))
            drawMemo(*memo, box);
        else if (const auto* picture = dynamic_cast<const TPictureView*>(&view))
            drawPicture(*picture, box);
        else
            drawShape(view, box);
        drawFrameLines(view, box);
    }

private:
    DeviceBox boxOf(const TReportView& v) const {
        auto x = [&](double px) { return static_cast<int>(std::lround(ox_ + t_.scaleX * px)); };
        auto y = [&](double px) { return static_cast<int>(std::lround(oy_ + t_.scaleY * px)); };
        return {x(v.Left), y(v.Top), x(v.Left + v.Width), y(v.Top + v.Height)};
    }

    // A line never thinner than one device pixel, or it could vanish when
    // the page is shown small.
    QPen penOf(const TFrame& frame) const {
        QPen pen(colourOf(frame.Color), std::max(1.0, t_.scaleX * frame.Width),
                 penStyleOf(frame.Style), Qt::FlatCap, Qt::MiterJoin);
        return pen;
    }

    void drawShape(const TReportView& shape, const DeviceBox& b) {
        // The rectangle includes its right and bottom edge pixels.
        if (paints(shape.Color))
            p_.fillRect(QRect(b.x0, b.y0, b.width() + 1, b.height() + 1), colourOf(shape.Color));
        if (paints(shape.Frame.Color)) {
            p_.save();
            p_.setRenderHint(QPainter::Antialiasing, false);
            p_.setBrush(Qt::NoBrush);
            p_.setPen(penOf(shape.Frame));
            p_.drawRect(QRectF(b.x0 + 0.5, b.y0 + 0.5, b.width(), b.height()));
            p_.restore();
        }
    }

    void drawMemo(const TMemoView& memo, const DeviceBox& b) {
        if (paints(memo.Color))
            p_.fillRect(QRect(b.x0, b.y0, b.width(), b.height()), colourOf(memo.Color));
        if (memo.Memo.isEmpty())
            return;
        const QRectF area(
            QPointF(b.x0 + t_.scaleX * memo.GapX, b.y0 + t_.scaleY * memo.GapY),
            QPointF(b.x1 - t_.scaleX * memo.GapX + 1, b.y1 - t_.scaleY * memo.GapY + 1));
        if (area.width() <= 0 || area.height() <= 0)
            return;

        int flags = 0;
        switch (memo.HAlign) {
        case haLeft:
            flags |= Qt::AlignLeft;
            break;
        case haCenter:
            flags |= Qt::AlignHCenter;
            break;
        case haRight:
            flags |= Qt::AlignRight;
            break;
        }
        switch (memo.VAlign) {
        case vaTop:
            flags |= Qt::AlignTop;
            break;
        case vaCenter:
            flags |= Qt::AlignVCenter;
            break;
        case vaBottom:
            flags |= Qt::AlignBottom;
            break;
        }
        if (memo.WordWrap)
            flags |= Qt::TextWordWrap;

        p_.save();
        p_.setClipRect(area, Qt::IntersectClip);
        p_.setFont(fontFor(memo.Font));
        p_.setPen(colourOf(memo.Font.Color));
        p_.drawText(area, flags, memo.text());
        p_.restore();
    }

    // The font at its em size times the vertical scale, in points of the
    // target device, so that metrics and glyphs are those of that device: on
    // a printer the text keeps its physical size, on screen it follows the zoom.
    QFont fontFor(const TFont& f) const {
        QFont font(f.Name);
        const int dpi = p_.device() ? p_.device()->logicalDpiY() : 96;
        font.setPointSizeF(std::max(0.1, f.emSize() * t_.scaleY * 72.0 / (dpi > 0 ? dpi : 96)));
        font.setBold(f.Style.testFlag(fsBold));
        font.setItalic(f.Style.testFlag(fsItalic));
        font.setUnderline(f.Style.testFlag(fsUnderline));
        font.setStrikeOut(f.Style.testFlag(fsStrikeOut));
        return font;
    }

    void drawPicture(const TPictureView& picture, const DeviceBox& b) {
        const QRect box(b.x0, b.y0, b.width(), b.height());
        if (!picture.Transparent && paints(picture.Color))
            p_.fillRect(box, colourOf(picture.Color));
        const QImage& image = picture.Picture;
        if (image.isNull() || box.isEmpty())
            return;

        QSize size;
        if (picture.Stretched && picture.KeepAspectRatio) {
            const double s = std::min(static_cast<double>(box.width()) / image.width(),
                                      static_cast<double>(box.height()) / image.height());
            size = QSize(static_cast<int>(std::lround(image.width() * s)),
                         static_cast<int>(std::lround(image.height() * s)));
        } else if (picture.Stretched) {
            size = box.size();
        } else {
            size = QSize(static_cast<int>(std::lround(image.width() * t_.scaleX)),
                         static_cast<int>(std::lround(image.height() * t_.scaleY)));
        }
        QPoint at = box.topLeft();
        if (picture.Center) {
            at += QPoint(static_cast<int>(std::lround((box.width() - size.width()) / 2.0)),
                         static_cast<int>(std::lround((box.height() - size.height()) / 2.0)));
        }
        p_.save();
        p_.setClipRect(box, Qt::IntersectClip);
        p_.setRenderHint(QPainter::SmoothPixmapTransform, picture.HighQuality);
        p_.drawImage(QRect(at, size), image);
        p_.restore();
    }

    void drawFrameLines(const TReportView& view, const DeviceBox& b) {
        const TFrame& frame = view.Frame;
        if (!frame.Typ || !paints(frame.Color))
            return;
        p_.save();
        p_.setRenderHint(QPainter::Antialiasing, false);
        p_.setPen(penOf(frame));
        const double l = b.x0 + 0.5, r = b.x1 + 0.5, t = b.y0 + 0.5, bo = b.y1 + 0.5;
        if (frame.Typ.testFlag(ftLeft))
            p_.drawLine(QPointF(l, t), QPointF(l, bo));
        if (frame.Typ.testFlag(ftRight))
            p_.drawLine(QPointF(r, t), QPointF(r, bo));
        if (frame.Typ.testFlag(ftTop))
            p_.drawLine(QPointF(l, t), QPointF(r, t));
        if (frame.Typ.testFlag(ftBottom))
            p_.drawLine(QPointF(l, bo), QPointF(r, bo));
        p_.restore();
    }

    QPainter& p_;
    const RenderTransform& t_;
    const double ox_;
    const double oy_;
};

} // namespace

void renderPage(const TPreparedPage& page, QPainter& painter, const RenderTransform& transform) {
    painter.save();
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    PageRenderer renderer(painter, page, transform);
    for (const auto& object : page.Objects) {
        if (transform.printing && !object->Printable)
            continue;
        renderer.draw(*object);
    }
    painter.restore();
}

} // namespace scontrix::report
