#include "report/PrintPlan.h"

#include <QPainter>
#include <algorithm>
#include <optional>

namespace scontrix::report {

namespace {

// One item of a page list: a page or a range; a missing end means "up to the
// last page", a missing start "from the first".
struct PageRange {
    std::optional<int> first;
    std::optional<int> last;
};

std::optional<int> pageNumberOf(QStringView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    for (const QChar c : digits) {
        if (c < u'0' || c > u'9')
            return std::nullopt;
    }
    bool ok = false;
    const int n = digits.toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

// The items of a list, or none when it is not well formed.
std::optional<QList<PageRange>> parsePageList(const QString& text) {
    QString compact;
    for (const QChar c : text) {
        if (!c.isSpace())
            compact += c;
    }
    QList<PageRange> ranges;
    for (QStringView item : QStringView(compact).split(u',', Qt::SkipEmptyParts)) {
        const qsizetype dash = item.indexOf(u'-');
        if (dash < 0) {
            const auto page = pageNumberOf(item);
            if (!page)
                return std::nullopt;
            ranges.push_back({page, page});
            continue;
        }
        const QStringView left = item.left(dash), right = item.mid(dash + 1);
        const auto first = pageNumberOf(left), last = pageNumberOf(right);
        if ((!left.isEmpty() && !first) || (!right.isEmpty() && !last) || (!first && !last))
            return std::nullopt;
        ranges.push_back({first, last});
    }
    return ranges;
}

} // namespace

PaperSettings PaperSettings::of(const TPreparedPage& page) {
    return {page.PaperSize, page.PaperWidth, page.PaperHeight, page.Orientation};
}

QPageLayout PaperSettings::pageLayout() const {
    const bool landscape = orientation == poLandscape;
    const QSizeF portrait = landscape ? QSizeF(heightMm, widthMm) : QSizeF(widthMm, heightMm);
    // A paper of a standard size, whatever its code, goes out as that size.
    const QPageSize size(portrait, QPageSize::Millimeter, QString(), QPageSize::FuzzyMatch);
    QPageLayout layout(size, landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    layout.setMode(QPageLayout::FullPageMode);
    return layout;
}

bool isValidPageList(const QString& pageNumbers) {
    return parsePageList(pageNumbers).has_value();
}

QList<int> pageSequence(const QString& pageNumbers, int pageCount) {
    QList<int> pages;
    if (pageCount <= 0)
        return pages;
    if (pageNumbers.trimmed().isEmpty()) {
        for (int page = 1; page <= pageCount; ++page)
            pages << page;
        return pages;
    }
    const auto ranges = parsePageList(pageNumbers);
    if (!ranges)
        return pages;
    for (const PageRange& range : *ranges) {
        const int first = range.first.value_or(1);
        const int last = range.last.value_or(pageCount);
        const int step = first <= last ? 1 : -1;
        // Only the pages that exist; a range such as 1-1000000 stays cheap.
        const int from = std::clamp(first, 0, pageCount + 1);
        const int to = std::clamp(last, 0, pageCount + 1);
        for (int page = from;; page += step) {
            if (page >= 1 && page <= pageCount)
                pages << page;
            if (page == to)
                break;
        }
    }
    return pages;
}

PrintPlan planPrint(const TPrintOptions& options, int pageCount, bool deviceMakesCopies) {
    QList<int> run = pageSequence(options.PageNumbers, pageCount);
    if (options.Reverse)
        std::reverse(run.begin(), run.end());
    if (options.PrintPages != ppAll) {
        const int keep = options.PrintPages == ppOdd ? 1 : 0;
        run.removeIf([keep](int page) { return page % 2 != keep; });
    }
    const int copies = std::max(1, options.Copies);
    PrintPlan plan;
    if (options.Collate || copies == 1) {
        for (int copy = 0; copy < copies; ++copy)
            plan.pages += run;
    } else if (deviceMakesCopies) {
        plan.pages = run;
        plan.deviceCopies = copies;
    } else {
        for (int page : run) {
            for (int copy = 0; copy < copies; ++copy)
                plan.pages << page;
        }
    }
    return plan;
}

PrintOutcome printPages(const TPreparedReport& report, const TPrintOptions& options,
                        const QString& documentName, PrintTarget& target) {
    const PrintPlan plan = planPrint(options, report.count(), target.makesCopies());
    if (plan.pages.isEmpty())
        return PrintOutcome::NothingToPrint;

    const PrintJobSettings job{documentName, plan.deviceCopies, options.Duplex,
                               options.PrinterSettings};
    std::optional<PaperSettings> paper;
    for (int pageNumber : plan.pages) {
        const TPreparedPage& page = report.page(pageNumber - 1);
        const PaperSettings wanted = PaperSettings::of(page);
        const bool first = !paper.has_value();
        if (first) {
            if (!target.beginDocument(job, wanted))
                return PrintOutcome::DeviceFailed;
        } else if (wanted != *paper) {
            target.setPaper(wanted);
        }
        paper = wanted;
        if (!target.beginPage(pageNumber, first)) {
            target.endDocument();
            return PrintOutcome::DeviceFailed;
        }
        RenderTransform transform = target.pageTransform();
        transform.printing = true;
        renderPage(page, target.painter(), transform);
        target.endPage();
    }
    return target.endDocument() ? PrintOutcome::Printed : PrintOutcome::DeviceFailed;
}

} // namespace scontrix::report
