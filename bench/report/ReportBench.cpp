#include "report/ReportRenderer.h"
#include "report/TReport.h"

#include <QImage>
#include <QPainter>
#include <benchmark/benchmark.h>
#include <memory>

using namespace scontrix::report;

namespace {

// A list like the printed voucher lists: A4 landscape, a title, one data band
// that is cut across pages holding every line in one text box, a footer.
std::unique_ptr<TReport> listOf(int lines) {
    auto report = std::make_unique<TReport>();
    TReportPage* page = report->reportPage();
    page->setOrientation(poLandscape);
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;

    auto* title = page->add<TReportTitle>(QStringLiteral("ReportTitle"));
    title->Height = mmToPx(8);
    auto* titleText = title->add<TMemoView>(QStringLiteral("txtTitolo"));
    titleText->setBounds(mmToPx(2), mmToPx(1), mmToPx(273), mmToPx(5));
    titleText->setText(QStringLiteral("Riepilogo buoni acquisto non incassati"));

    auto* data = page->add<TMasterData>(QStringLiteral("MasterData"));
    data->Top = 50;
    data->AllowSplit = true;
    auto* body = data->add<TMemoView>(QStringLiteral("txtRiepilogo"));
    body->ParentFont = false;
    body->Font = {QStringLiteral("Courier New"), TFont::heightOfPoints(8), claBlack, {}};
    body->WordWrap = false;
    for (int i = 0; i < lines; ++i) {
        body->addLine(
            QStringLiteral("Cliente %1                 Cel. 3331234567      Buono n. %2   "
                           "       Dal: 01/03/2024  Al: 31/12/2024  Per: Anna Bianchi    "
                           "            Valore: \u20AC 50,00")
                .arg(i, 6, 10, QLatin1Char('0'))
                .arg(i));
    }
    body->setBounds(mmToPx(3), 0, mmToPx(273), lines * 12.822);
    data->Height = body->Height + 10;

    auto* footer = page->add<TReportFooter>(QStringLiteral("Footer"));
    footer->Top = 100;
    footer->Height = mmToPx(8);
    auto* footerText = footer->add<TMemoView>(QStringLiteral("txtPagina"));
    footerText->setBounds(mmToPx(3), mmToPx(2), mmToPx(272), mmToPx(5));
    footerText->setText(QStringLiteral("Stampa eseguita in data [DATE]"));
    return report;
}

// Preparing a list: the time per line must not grow with the list.
void PrepareList(benchmark::State& state) {
    const auto lines = static_cast<int>(state.range(0));
    const std::unique_ptr<TReport> report = listOf(lines);
    for (auto _ : state) {
        if (!report->prepare())
            state.SkipWithError("preparation failed");
        benchmark::DoNotOptimize(report->prepared().count());
    }
    state.counters["pages"] = report->prepared().count();
    state.counters["per_line"] = benchmark::Counter(static_cast<double>(lines),
                                                    benchmark::Counter::kIsIterationInvariantRate |
                                                        benchmark::Counter::kInvert);
}
BENCHMARK(PrepareList)->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// Rendering one full page of the list, as the preview does at a zoom.
void RenderListPage(benchmark::State& state) {
    const double zoom = static_cast<double>(state.range(0)) / 100.0;
    const std::unique_ptr<TReport> report = listOf(200);
    report->prepare();
    const TPreparedPage& page = report->prepared().page(1);
    QImage image(
        QSize(static_cast<int>(page.widthPx() * zoom), static_cast<int>(page.heightPx() * zoom)),
        QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        renderPage(page, painter, {0, 0, zoom, zoom, false});
    }
}
BENCHMARK(RenderListPage)->Arg(100)->Arg(200)->Unit(benchmark::kMillisecond);

} // namespace
