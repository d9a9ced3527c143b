#include "ReportFixtures.h"

#include <gtest/gtest.h>

using namespace scontrix::report;
using scontrix::test::ListTemplate;

namespace {

struct Margins {
    double left, top, right, bottom;
    bool operator==(const Margins&) const = default;
};

Margins marginsOf(const TReportPage& page) {
    return {page.LeftMargin, page.TopMargin, page.RightMargin, page.BottomMargin};
}

void PrintTo(const Margins& m, std::ostream* os) {
    *os << "L" << m.left << " T" << m.top << " R" << m.right << " B" << m.bottom;
}

} // namespace

TEST(ReportPage, PaperCodesAndSizes) {
    TReportPage page;
    EXPECT_EQ(page.paperSize(), 9) << "A4 unless the template says otherwise";
    EXPECT_EQ(page.paperWidth(), 210);
    EXPECT_EQ(page.paperHeight(), 297);

    page.setPaperWidth(100);
    EXPECT_EQ(page.paperSize(), 256) << "a width of its own makes the paper custom";
    page.setPaperSize(9);
    EXPECT_EQ(page.paperWidth(), 210);
    page.setPaperHeight(150);
    EXPECT_EQ(page.paperSize(), 256);

    page.setPaperSize(9);
    page.setOrientation(poLandscape);
    page.setPaperSize(11); // A5 in landscape
    EXPECT_EQ(page.paperWidth(), 210);
    EXPECT_EQ(page.paperHeight(), 148);

    page.setPaperWidth(120);
    page.setPaperHeight(80);
    page.setPaperSize(256);
    EXPECT_EQ(page.paperWidth(), 120) << "the custom code keeps the size";
    EXPECT_EQ(page.paperHeight(), 80);
}

TEST(ReportPage, OrientationSwapsPaperAndTurnsTheMargins) {
    TReportPage page;
    page.LeftMargin = 1;
    page.TopMargin = 2;
    page.RightMargin = 3;
    page.BottomMargin = 4;

    page.setOrientation(poLandscape);
    EXPECT_EQ(page.paperWidth(), 297);
    EXPECT_EQ(page.paperHeight(), 210);
    EXPECT_EQ(marginsOf(page), (Margins{2, 3, 4, 1})) << "left = old top, top = old right, ...";

    page.setOrientation(poLandscape);
    EXPECT_EQ(marginsOf(page), (Margins{2, 3, 4, 1})) << "the same orientation changes nothing";
    EXPECT_EQ(page.paperWidth(), 297);

    page.setOrientation(poPortrait);
    EXPECT_EQ(marginsOf(page), (Margins{1, 2, 3, 4})) << "and back again";
    EXPECT_EQ(page.paperWidth(), 210);
}

TEST(ReportPage, PrintableAreasOfTheTwoPrintedDocuments) {
    TReportPage sheet; // custom 210 x 297, no margins
    sheet.setPaperWidth(210);
    sheet.setPaperHeight(297);
    EXPECT_NEAR(sheet.printableWidth(), 793.70, 0.01);
    EXPECT_NEAR(sheet.printableHeight(), 1122.52, 0.01);

    ListTemplate list;
    EXPECT_NEAR(list.page->printableWidth(), 1046.93, 0.01);
    EXPECT_NEAR(list.page->printableHeight(), 718.11, 0.01);
    EXPECT_NEAR(list.data->width(), 1046.93, 0.01) << "a band is as wide as the printable area";
}

TEST(Report, FindsObjectsByNameIgnoringCase) {
    ListTemplate list;
    auto* num = list.page->add<TMemoView>(QStringLiteral("txtNum"));

    EXPECT_EQ(list.report.findObject(QStringLiteral("TXTNUM")), num);
    EXPECT_EQ(list.report.findObject(QStringLiteral("txtnum")), num);
    EXPECT_EQ(list.report.find<TMemoView>(QStringLiteral("TXTRIEPILOGO")), list.body)
        << "objects inside bands are found too";
    EXPECT_EQ(list.report.find<TMasterData>(QStringLiteral("masterdata")), list.data);
    EXPECT_EQ(list.report.findObject(QStringLiteral("page")), list.page);
    EXPECT_EQ(list.report.find<TPictureView>(QStringLiteral("txtNum")), nullptr)
        << "an object of another kind";
    EXPECT_EQ(list.report.findObject(QStringLiteral("imgFoto")), nullptr);
    EXPECT_EQ(list.report.findObject(QString()), nullptr);
}

TEST(Report, PagesByIndex) {
    TReport report;
    EXPECT_NE(dynamic_cast<TReportDataPage*>(report.page(0)), nullptr);
    EXPECT_EQ(report.page(1), report.reportPage());
    EXPECT_EQ(report.page(2), nullptr);
    EXPECT_EQ(report.page(-1), nullptr);
}

TEST(MemoView, SetTextSplitsAtEveryKindOfLineBreak) {
    const struct {
        QString text;
        QStringList lines;
    } cases[] = {
        {QStringLiteral(""), {}},
        {QStringLiteral("one"), {QStringLiteral("one")}},
        {QStringLiteral("a\r\nb\nc\rd"),
         {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"), QStringLiteral("d")}},
        {QStringLiteral("a\r\n"), {QStringLiteral("a")}},
        {QStringLiteral("a\n\nb"), {QStringLiteral("a"), QString(), QStringLiteral("b")}},
        {QStringLiteral("\n"), {QString()}},
    };
    TMemoView memo;
    for (const auto& c : cases) {
        memo.addLine(QStringLiteral("old"));
        memo.setText(c.text);
        EXPECT_EQ(memo.Memo, c.lines) << c.text.toStdString();
    }
}
