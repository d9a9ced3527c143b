#pragma once

#include "QtPrinters.h"
#include "report/TReport.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace scontrix::test {

using namespace scontrix::report;

// The height a list gives each of its lines, and the line pitch of its 8 pt
// Courier New text when the text is cut across pages.
inline constexpr double ListLineHeight = 12.822;
inline constexpr double ListPitch = 32.0 / 3.0 + 2.0;

// A template shaped like a printed list: A4 landscape with 10 mm margins
// (718.11 px of printable height), a title band, a data band that may be cut
// across pages holding one text box, and its footer.
struct ListTemplate {
    TReport report;
    TReportPage* page;
    TReportTitle* title;
    TMemoView* titleText;
    TMasterData* data;
    TMemoView* body;
    TReportFooter* footer;
    TMemoView* footerText;

    explicit ListTemplate(int lines = 0) {
        report.ReportOptions.Name = QStringLiteral("Riepilogo dati");
        page = report.reportPage();
        page->Name = QStringLiteral("Page");
        page->setPaperSize(9);
        page->setOrientation(poLandscape);
        page->LeftMargin = page->RightMargin = page->TopMargin = page->BottomMargin = 10;

        title = page->add<TReportTitle>(QStringLiteral("ReportTitle"));
        title->Height = mmToPx(8);
        titleText = title->add<TMemoView>(QStringLiteral("txtTitolo"));
        titleText->setBounds(mmToPx(2), mmToPx(1), mmToPx(273), mmToPx(5));
        titleText->ParentFont = false;
        titleText->Font = {QStringLiteral("Verdana"), TFont::heightOfPoints(9), claWhite, fsBold};
        titleText->Color = claSlategray;
        titleText->HAlign = haCenter;
        titleText->setText(QStringLiteral("Riepilogo"));

        data = page->add<TMasterData>(QStringLiteral("MasterData"));
        data->Top = mmToPx(20);
        data->AllowSplit = true;
        data->RowCount = 1;
        body = data->add<TMemoView>(QStringLiteral("txtRiepilogo"));
        body->setBounds(mmToPx(3), 0, mmToPx(273), mmToPx(27));
        body->ParentFont = false;
        body->Font = {QStringLiteral("Courier New"), TFont::heightOfPoints(8), claBlack, {}};
        body->WordWrap = false;

        footer = page->add<TReportFooter>(QStringLiteral("Footer"));
        footer->Top = mmToPx(40);
        footer->Height = mmToPx(8);
        footerText = footer->add<TMemoView>(QStringLiteral("txtPagina"));
        footerText->setBounds(mmToPx(3), mmToPx(2), mmToPx(272), mmToPx(5));
        footerText->ParentFont = false;
        footerText->Font = {QStringLiteral("Verdana"), TFont::heightOfPoints(8), claWhite, fsBold};
        footerText->Color = claSlategray;
        footerText->HAlign = haCenter;
        footerText->setText(QStringLiteral("Stampa eseguita in data [DATE]"));

        setLines(lines);
    }

    // As the list fills it: one line per entry, 12.822 px each, and 10 px
    // more for the band.
    void setLines(int count) {
        body->clearLines();
        for (int i = 1; i <= count; ++i)
            body->addLine(QStringLiteral("Line %1").arg(i));
        body->Height = count * ListLineHeight;
        data->Height = body->Height + 10;
    }

    QStringList lines() const { return body->Memo; }
};

// Every output object of that name on a page, in drawing order.
inline std::vector<const TReportView*> outputs(const TPreparedPage& page, const QString& name) {
    std::vector<const TReportView*> found;
    for (const auto& object : page.Objects) {
        if (object->Name == name)
            found.push_back(object.get());
    }
    return found;
}

inline const TReportView* output(const TPreparedPage& page, const QString& name) {
    const auto found = outputs(page, name);
    return found.empty() ? nullptr : found.front();
}

inline const TMemoView* outputText(const TPreparedPage& page, const QString& name) {
    return dynamic_cast<const TMemoView*>(output(page, name));
}

} // namespace scontrix::test
