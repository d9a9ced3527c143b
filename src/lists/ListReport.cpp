#include "lists/ListReport.h"

namespace scontrix::lists {

using namespace report;

namespace {

TMemoView* addText(TReportBand* band, const char* name, double left, double top, double width,
                   double height) {
    auto* memo = band->add<TMemoView>(QString::fromLatin1(name));
    memo->setBounds(mmToPx(left), mmToPx(top), mmToPx(width), mmToPx(height));
    memo->ParentFont = false;
    return memo;
}

} // namespace

std::unique_ptr<TReport> makeRiepilogoTemplate() {
    auto report = std::make_unique<TReport>();
    report->ReportOptions.Name = QStringLiteral("Riepilogo dati");
    report->ShowProgress = false;

    TReportPage* page = report->reportPage();
    page->Name = QStringLiteral("Page");
    page->setPaperSize(PaperA4);
    page->setOrientation(poLandscape);
    page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;

    auto* title = page->add<TReportTitle>(QStringLiteral("ReportTitle"));
    title->Top = mmToPx(0);
    title->Height = mmToPx(8);
    TMemoView* txtTitolo = addText(title, "txtTitolo", 2, 1, 273, 5);
    txtTitolo->Color = claSlategray;
    txtTitolo->Font = {QStringLiteral("Verdana"), TFont::heightOfPoints(9), claWhite, fsBold};
    txtTitolo->HAlign = haCenter;
    txtTitolo->setText(QStringLiteral("Riepilogo"));
    // The title names the archive, whose name may hold brackets ("Negozio
    // [Centro]"): printed as typed, as the rows are.
    txtTitolo->AllowExpressions = false;

    auto* data = page->add<TMasterData>(QStringLiteral("MasterData"));
    data->Top = mmToPx(16);
    data->Height = mmToPx(28);
    data->RowCount = 1;
    data->AllowSplit = true;
    TMemoView* txtRiepilogo = addText(data, "txtRiepilogo", 3, 0, 273, 27);
    txtRiepilogo->Font = {QStringLiteral("Courier New"), TFont::heightOfPoints(8), claBlack, {}};
    txtRiepilogo->WordWrap = false;
    // The rows are what the shopkeeper typed: a customer "Rossi [Bar]" must
    // print as such, not fail the print or be replaced by a value.
    txtRiepilogo->AllowExpressions = false;

    auto* footer = page->add<TReportFooter>(QStringLiteral("Footer"));
    footer->Top = mmToPx(52);
    footer->Height = mmToPx(8);
    TMemoView* txtPagina = addText(footer, "txtPagina", 3, 2, 272, 5);
    txtPagina->Color = claSlategray;
    txtPagina->Font = {QStringLiteral("Verdana"), TFont::heightOfPoints(8), claWhite, fsBold};
    txtPagina->HAlign = haCenter;
    txtPagina->setText(QStringLiteral("Stampa eseguita in data [DATE]"));
    return report;
}

void fillListReport(TReport& report, const QString& title, const ListRows& rows) {
    if (auto* txtTitolo = report.find<TMemoView>(QStringLiteral("txtTitolo")))
        txtTitolo->setText(title);
    auto* txtRiepilogo = report.find<TMemoView>(QStringLiteral("txtRiepilogo"));
    auto* data = report.find<TReportBand>(QStringLiteral("MasterData"));
    if (!txtRiepilogo || !data)
        return;
    txtRiepilogo->clearLines();
    txtRiepilogo->Memo.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        txtRiepilogo->addLine(rows.text(i));
    txtRiepilogo->Height = static_cast<double>(rows.size()) * ListLineHeight;
    data->Height = txtRiepilogo->Height + 10;
}

} // namespace scontrix::lists
