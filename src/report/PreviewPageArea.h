#pragma once

#include "report/PreparedReport.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QList>
#include <QRect>
#include <list>
#include <unordered_map>

namespace scontrix::report {

// Rendered page images, at most `capacity` of them; the one shown longest
// ago goes first.
class PageImageCache {
public:
    explicit PageImageCache(int capacity = 50) : capacity_(capacity) {}
    PageImageCache(const PageImageCache&) = delete;
    PageImageCache& operator=(const PageImageCache&) = delete;

    // The image of a page, which now counts as just shown; none if not kept.
    const QImage* find(int page);
    void insert(int page, QImage image);
    bool contains(int page) const { return index_.count(page) != 0; }
    // The image of a page without counting it as shown.
    const QImage* peek(int page) const {
        const auto found = index_.find(page);
        return found == index_.end() ? nullptr : &found->second->second;
    }
    int size() const { return static_cast<int>(entries_.size()); }
    void clear();

private:
    using Entry = std::pair<int, QImage>;
    int capacity_;
    std::list<Entry> entries_; // most recently shown first
    std::unordered_map<int, std::list<Entry>::iterator> index_;
};

// Where the pages go in the page area: in rows, left to right, as many per row
// as fit the width (at least one), 10 px apart and from the top; each row
// centred, rows 10 px apart.
struct PagesLayout {
    QList<QRect> pages;
    QSize contentSize;
};
PagesLayout layoutPages(const QList<QSize>& pageSizes, int areaWidth);

// The grey surface of the preview that shows the prepared pages at a zoom.
class PreviewPageArea : public QAbstractScrollArea {
    Q_OBJECT
public:
    PreviewPageArea(const TPreparedReport& report, QWidget* parent = nullptr);

    double zoom() const { return zoom_; }
    // Renders every page again at the new zoom; the current page stays in view.
    void setZoom(double zoom);

    // From 0; the page that shows most in the area.
    int currentPage() const { return currentPage_; }
    int pageCount() const { return report_.count(); }
    // Scrolls so that the top of the page shows.
    void showPage(int page);
    // The size of a page at zoom 1, in px.
    QSizeF pageSize(int page) const;

    const PagesLayout& pagesLayout() const { return layout_; }
    const PageImageCache& cache() const { return cache_; }

    static constexpr int WheelStep = 20; // px per wheel notch

signals:
    void currentPageChanged(int page);
    void zoomWheel(int notches); // Ctrl with the mouse wheel
    void contextMenuRequested(const QPoint& globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void relayout();
    void findCurrentPage();
    const QImage& imageOf(int page);

    const TPreparedReport& report_;
    double zoom_ = 1.0;
    PagesLayout layout_;
    PageImageCache cache_;
    int currentPage_ = 0;
    int wheelRest_ = 0;
};

} // namespace scontrix::report
