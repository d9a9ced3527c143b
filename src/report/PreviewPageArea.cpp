#include "report/PreviewPageArea.h"

#include "report/ReportRenderer.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace scontrix::report {

namespace {
constexpr int Gap = 10;
const QColor AreaGrey(0x80, 0x80, 0x80);
} // namespace

const QImage* PageImageCache::find(int page) {
    const auto found = index_.find(page);
    if (found == index_.end())
        return nullptr;
    entries_.splice(entries_.begin(), entries_, found->second);
    return &found->second->second;
}

void PageImageCache::insert(int page, QImage image) {
    if (const auto found = index_.find(page); found != index_.end()) {
        entries_.erase(found->second);
        index_.erase(found);
    }
    entries_.emplace_front(page, std::move(image));
    index_[page] = entries_.begin();
    while (static_cast<int>(entries_.size()) > capacity_) {
        index_.erase(entries_.back().first);
        entries_.pop_back();
    }
}

void PageImageCache::clear() {
    entries_.clear();
    index_.clear();
}

PagesLayout layoutPages(const QList<QSize>& pageSizes, int areaWidth) {
    struct Row {
        qsizetype first, end;
        int width, height;
    };
    QList<Row> rows;
    int widest = 0;
    for (qsizetype i = 0; i < pageSizes.size();) {
        Row row{i, i + 1, pageSizes[i].width(), pageSizes[i].height()};
        for (++i; i < pageSizes.size(); ++i) {
            const int wider = row.width + Gap + pageSizes[i].width();
            if (Gap + wider + Gap > areaWidth)
                break;
            row.width = wider;
            row.height = std::max(row.height, pageSizes[i].height());
            row.end = i + 1;
        }
        widest = std::max(widest, row.width);
        rows.push_back(row);
    }

    PagesLayout layout;
    layout.contentSize.setWidth(std::max(areaWidth, widest + 2 * Gap));
    int y = Gap;
    for (const Row& row : rows) {
        int x = (layout.contentSize.width() - row.width) / 2;
        for (qsizetype i = row.first; i < row.end; ++i) {
            layout.pages.push_back(QRect(QPoint(x, y), pageSizes[i]));
            x += pageSizes[i].width() + Gap;
        }
        y += row.height + Gap;
    }
    layout.contentSize.setHeight(y);
    return layout;
}

PreviewPageArea::PreviewPageArea(const TPreparedReport& report, QWidget* parent)
    : QAbstractScrollArea(parent), report_(report) {
    setObjectName(QStringLiteral("PageArea"));
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    relayout();
}

QSizeF PreviewPageArea::pageSize(int page) const {
    const TPreparedPage& p = report_.page(page);
    return {p.widthPx(), p.heightPx()};
}

void PreviewPageArea::setZoom(double zoom) {
    const int keep = currentPage_;
    zoom_ = zoom;
    cache_.clear();
    relayout();
    showPage(keep);
    viewport()->update();
}

void PreviewPageArea::showPage(int page) {
    if (page < 0 || page >= layout_.pages.size())
        return;
    verticalScrollBar()->setValue(layout_.pages[page].top() - Gap);
    const QRect r = layout_.pages[page];
    if (r.left() < horizontalScrollBar()->value() ||
        r.right() > horizontalScrollBar()->value() + viewport()->width())
        horizontalScrollBar()->setValue(r.left() - Gap);
    findCurrentPage();
}

void PreviewPageArea::relayout() {
    QList<QSize> sizes;
    for (int i = 0; i < report_.count(); ++i) {
        const QSizeF s = pageSize(i) * zoom_;
        sizes.push_back(QSize(static_cast<int>(std::lround(s.width())),
                              static_cast<int>(std::lround(s.height()))));
    }
    layout_ = layoutPages(sizes, viewport()->width());
    const QSize area = viewport()->size();
    horizontalScrollBar()->setRange(0, std::max(0, layout_.contentSize.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, layout_.contentSize.height() - area.height()));
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setSingleStep(WheelStep);
    verticalScrollBar()->setSingleStep(WheelStep);
    findCurrentPage();
}

void PreviewPageArea::findCurrentPage() {
    const QRect visible(QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value()),
                        viewport()->size());
    int best = currentPage_;
    long long bestArea = -1;
    for (int i = 0; i < layout_.pages.size(); ++i) {
        const QRect shown = layout_.pages[i].intersected(visible);
        const long long area = shown.isEmpty() ? 0 : 1LL * shown.width() * shown.height();
        if (area > bestArea) {
            best = i;
            bestArea = area;
        }
    }
    if (best != currentPage_ && best < report_.count()) {
        currentPage_ = best;
        emit currentPageChanged(best);
    }
}

const QImage& PreviewPageArea::imageOf(int page) {
    if (const QImage* kept = cache_.find(page))
        return *kept;
    // Rendered in device pixels, so that pages stay sharp on dense screens.
    const double ratio = devicePixelRatioF();
    const double scale = zoom_ * ratio;
    const QSize size = layout_.pages[page].size() * ratio;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        renderPage(report_.page(page), painter, {0, 0, scale, scale, false});
    }
    image.setDevicePixelRatio(ratio);
    cache_.insert(page, std::move(image));
    return *cache_.find(page);
}

void PreviewPageArea::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), AreaGrey);
    const QPoint scroll(horizontalScrollBar()->value(), verticalScrollBar()->value());
    for (int i = 0; i < layout_.pages.size(); ++i) {
        const QRect r = layout_.pages[i].translated(-scroll);
        if (!r.adjusted(-1, -1, 1, 1).intersects(event->rect()))
            continue;
        painter.fillRect(r, Qt::white);
        painter.drawImage(r.topLeft(), imageOf(i));
        painter.setPen(Qt::black);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(-1, -1, 0, 0));
    }
}

void PreviewPageArea::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    relayout();
}

void PreviewPageArea::scrollContentsBy(int, int) {
    findCurrentPage();
    viewport()->update();
}

void PreviewPageArea::wheelEvent(QWheelEvent* event) {
    wheelRest_ += event->angleDelta().y();
    const int notches = wheelRest_ / QWheelEvent::DefaultDeltasPerStep;
    wheelRest_ %= QWheelEvent::DefaultDeltasPerStep;
    event->accept();
    if (notches == 0)
        return;
    if (event->modifiers() & Qt::ControlModifier)
        emit zoomWheel(notches);
    else
        verticalScrollBar()->setValue(verticalScrollBar()->value() - notches * WheelStep);
}

void PreviewPageArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
        event->accept();
        return;
    }
    QAbstractScrollArea::mouseReleaseEvent(event);
}

} // namespace scontrix::report
