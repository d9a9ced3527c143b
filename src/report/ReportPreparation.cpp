#include "report/ReportPreparation.h"

#include "report/TMemoView.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace scontrix::report {

namespace {

// Positions are sums of decimals such as 37.7953; equal within this is equal.
constexpr double Epsilon = 1e-6;

struct RunFailure {
    QString message;
};

// How many lines of a text box fit into a height: k lines fit while
// k × pitch <= height - 2 × GapY + 1.
qsizetype linesFitting(const TMemoView& memo, double height) {
    const double room = height - 2 * memo.GapY + 1;
    const double pitch = TMemoView::linePitch(memo.Font);
    if (room < pitch - Epsilon)
        return 0;
    return static_cast<qsizetype>(std::floor(room / pitch + Epsilon));
}

// The least height that shows `lines` lines by the same rule.
double heightForLines(const TMemoView& memo, qsizetype lines) {
    if (lines <= 0)
        return 0;
    return static_cast<double>(lines) * TMemoView::linePitch(memo.Font) + 2 * memo.GapY - 1;
}

class Run {
public:
    Run(const TReportPage& page, const PreparationSettings& settings, TPreparedReport& out)
        : page_(page), settings_(settings), out_(out), pageHeight_(page.printableHeight()) {}

    void execute(QStringList& errors) {
        if (pageHeight_ <= Epsilon || page_.printableWidth() <= Epsilon)
            throw RunFailure{page_.Name + QStringLiteral(": the margins leave no printable area")};

        // Band order: the title stands apart; every other band by its design top.
        const TReportBand* title = nullptr;
        std::vector<const TReportBand*> ordered;
        for (const TReportBand* band : page_.bands()) {
            if (dynamic_cast<const TReportTitle*>(band)) {
                if (!title)
                    title = band;
            } else {
                ordered.push_back(band);
            }
        }
        std::stable_sort(
            ordered.begin(), ordered.end(),
            [](const TReportBand* a, const TReportBand* b) { return a->Top < b->Top; });

        struct DataBand {
            const TMasterData* band;
            const TReportFooter* footer;
        };
        std::vector<DataBand> dataBands;
        for (size_t i = 0; i < ordered.size(); ++i) {
            if (const auto* master = dynamic_cast<const TMasterData*>(ordered[i])) {
                dataBands.push_back({master, nullptr});
            } else if (const auto* footer = dynamic_cast<const TReportFooter*>(ordered[i])) {
                if (i > 0 && dynamic_cast<const TMasterData*>(ordered[i - 1]))
                    dataBands.back().footer = footer;
                else
                    errors << QStringLiteral("Unconnected header/footer ") + footer->Name;
            }
        }

        openPage();
        if (title)
            showBand(*title);
        for (const TReportView* view : page_.pageObjects()) {
            if (view->Visible)
                place(withData(*view), view->Left, view->Top);
        }
        for (const DataBand& data : dataBands) {
            for (int row = 0; row < data.band->RowCount; ++row)
                showBand(*data.band);
            if (data.footer && data.band->RowCount > 0)
                showBand(*data.footer);
        }
        closePage();
    }

private:
    void openPage() {
        TPreparedPage page;
        page.PaperSize = page_.paperSize();
        page.PaperWidth = page_.paperWidth();
        page.PaperHeight = page_.paperHeight();
        page.Orientation = page_.orientation();
        page.LeftMargin = page_.LeftMargin;
        page.RightMargin = page_.RightMargin;
        page.TopMargin = page_.TopMargin;
        page.BottomMargin = page_.BottomMargin;
        current_ = std::move(page);
        y_ = 0;
    }

    void closePage() {
        out_.add(std::move(*current_));
        current_.reset();
    }

    void newPage() {
        closePage();
        openPage();
    }

    // A copy of the object as it is output: the page's font resolved, the
    // expressions of its text replaced by their values.
    std::unique_ptr<TReportView> withData(const TReportView& view) const {
        std::unique_ptr<TReportView> copy = cloneOf(view);
        if (auto* memo = dynamic_cast<TMemoView*>(copy.get())) {
            if (memo->ParentFont) {
                memo->Font = page_.Font;
                memo->ParentFont = false;
            }
            if (memo->AllowExpressions)
                substitute(*memo);
        }
        return copy;
    }

    void substitute(TMemoView& memo) const {
        const Delimiters delimiters = parseDelimiters(memo.ExpressionDelimiters);
        if (!delimiters.usable())
            return;
        // Most texts hold no expression at all; a long list is then left as it is.
        const bool any = std::any_of(memo.Memo.cbegin(), memo.Memo.cend(),
                                     [&](const QString& l) { return l.contains(delimiters.open); });
        if (!any)
            return;
        try {
            const QString text = memo.Memo.join(u'\n');
            const QString result = substituteExpressions(text, delimiters, settings_.expressions);
            if (result != text)
                memo.Memo = result.split(u'\n');
        } catch (const ExpressionError& e) {
            throw RunFailure{memo.Name + QStringLiteral(": ") + e.message};
        }
    }

    void place(std::unique_ptr<TReportView> view, double left, double top) {
        view->Left = left;
        view->Top = top;
        current_->Objects.push_back(std::move(view));
    }

    void showBand(const TReportBand& band) {
        if (!band.Visible)
            return;
        if (band.StartNewPage && y_ > Epsilon)
            newPage();
        std::vector<std::unique_ptr<TReportView>> objects;
        for (const TReportView* view : band.objects()) {
            if (view->Visible)
                objects.push_back(withData(*view));
        }
        const double free = pageHeight_ - y_;
        if (band.Height <= free + Epsilon) {
            placeAll(objects);
            y_ += band.Height;
        } else if (!band.AllowSplit && band.Height <= pageHeight_ + Epsilon) {
            newPage();
            placeAll(objects);
            y_ = band.Height;
        } else {
            split(objects);
        }
    }

    void placeAll(std::vector<std::unique_ptr<TReportView>>& objects) {
        for (auto& object : objects) {
            const double left = object->Left;
            const double top = y_ + object->Top;
            place(std::move(object), left, top);
        }
    }

    struct Piece {
        std::unique_ptr<TReportView> view;
        double top = 0; // within what is left of the band
        bool done = false;
        TMemoView* memo = nullptr;
        qsizetype nextLine = 0;
        double remainingHeight = 0;
    };

    // Cuts a band across pages, starting on the current one. Every part is as
    // tall as its lowest object; the band's own height plays no part.
    void split(std::vector<std::unique_ptr<TReportView>>& objects) {
        std::vector<Piece> pieces;
        pieces.reserve(objects.size());
        for (auto& object : objects) {
            Piece piece;
            piece.top = object->Top;
            piece.remainingHeight = object->Height;
            piece.memo = dynamic_cast<TMemoView*>(object.get());
            piece.view = std::move(object);
            pieces.push_back(std::move(piece));
        }

        for (;;) {
            const double free = pageHeight_ - y_;
            double partHeight = 0;
            bool allDone = true;
            for (Piece& piece : pieces) {
                if (piece.done)
                    continue;
                std::unique_ptr<TReportView> part =
                    piece.memo ? textPart(piece, free) : objectPart(piece, free);
                if (part) {
                    partHeight = std::max(partHeight, piece.top + part->Height);
                    const double left = part->Left;
                    place(std::move(part), left, y_ + piece.top);
                }
                allDone = allDone && piece.done;
            }
            y_ += partHeight;
            if (settings_.onPagePart)
                settings_.onPagePart();
            if (allDone)
                return;
            newPage();
            for (Piece& piece : pieces) {
                if (!piece.done)
                    piece.top = std::max(0.0, piece.top - free);
            }
        }
    }

    // The part of a text box that goes on this page, or none.
    std::unique_ptr<TReportView> textPart(Piece& piece, double free) const {
        const TMemoView& memo = *piece.memo;
        const double available = free - piece.top;
        const qsizetype remainingLines = memo.Memo.size() - piece.nextLine;
        qsizetype lines = std::min(linesFitting(memo, available), remainingLines);
        // At the very top of a page: a line taller than the page would never
        // fit anywhere, so it goes here, cut, instead of waiting for ever.
        if (lines == 0 && remainingLines > 0 && y_ + piece.top <= Epsilon)
            lines = 1;

        auto partOf = [&](double height) {
            std::unique_ptr<TMemoView> part = cloneOf(memo);
            part->Memo = memo.Memo.mid(piece.nextLine, lines);
            part->Height = height;
            return part;
        };

        if (piece.remainingHeight <= available + Epsilon) {
            // The box ends here with all its remaining lines; a box designed
            // too short for them shows what it can, as it would uncut.
            lines = remainingLines;
            piece.done = true;
            return partOf(piece.remainingHeight);
        }
        if (lines == 0 && (remainingLines > 0 || available <= Epsilon))
            return nullptr;

        std::unique_ptr<TMemoView> part = partOf(available);
        const double pitch = TMemoView::linePitch(memo.Font);
        const double textHeight = static_cast<double>(remainingLines) * pitch + 2;
        double rest =
            (textHeight > piece.remainingHeight / 2 ? piece.remainingHeight : textHeight) -
            available;
        piece.nextLine += lines;
        // Never less than the lines still to come need: a box shrunk below its
        // text would cut its last lines off on the last page.
        rest = std::max(rest, heightForLines(memo, memo.Memo.size() - piece.nextLine));
        piece.remainingHeight = rest;
        if (piece.nextLine >= memo.Memo.size() && rest <= Epsilon)
            piece.done = true;
        return part;
    }

    // Any other object goes whole where it fits, waits for an empty page when it
    // would fit there, and otherwise goes here and is cut at the page end.
    std::unique_ptr<TReportView> objectPart(Piece& piece, double free) const {
        const double height = piece.view->Height;
        if (piece.top + height > free + Epsilon && height <= pageHeight_ + Epsilon)
            return nullptr;
        piece.done = true;
        return std::move(piece.view);
    }

    const TReportPage& page_;
    const PreparationSettings& settings_;
    TPreparedReport& out_;
    const double pageHeight_;
    std::optional<TPreparedPage> current_;
    double y_ = 0;
};

} // namespace

void runReport(const TReportPage& page, const PreparationSettings& settings, TPreparedReport& out,
               QStringList& errors) {
    Run run(page, settings, out);
    try {
        run.execute(errors);
    } catch (const RunFailure& failure) {
        errors << failure.message;
    }
}

} // namespace scontrix::report
