#include "report/PrintPlan.h"

#include "Poppler.h"
#include "RecordingTarget.h"
#include "ReportFixtures.h"
#include "report/PdfTarget.h"

#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

using namespace scontrix::report;
using namespace scontrix::test;

namespace {

TPreparedReport pagesOn(const std::vector<PaperSettings>& papers) {
    TPreparedReport report;
    for (const PaperSettings& paper : papers) {
        TPreparedPage page;
        page.PaperSize = paper.paperSize;
        page.PaperWidth = paper.widthMm;
        page.PaperHeight = paper.heightMm;
        page.Orientation = paper.orientation;
        report.add(std::move(page));
    }
    return report;
}

const PaperSettings A4{9, 210, 297, poPortrait};
const PaperSettings A4Landscape{9, 297, 210, poLandscape};

} // namespace

TEST(PageList, WellFormedLists) {
    for (const char* good : {"", "1", "1,3,5-12", " 2 - ", "3,1", "-2", "1,,2", "12-5"})
        EXPECT_TRUE(isValidPageList(QString::fromLatin1(good))) << good;
    for (const char* bad : {"a", "1-2-3", "-", "1.5", "1;2", "+1", "99999999999"})
        EXPECT_FALSE(isValidPageList(QString::fromLatin1(bad))) << bad;
}

TEST(PageList, Sequences) {
    const struct {
        const char* list;
        int pages;
        QList<int> sequence;
    } cases[] = {
        {"", 3, {1, 2, 3}},     {"2-", 3, {2, 3}},
        {"3,1", 3, {3, 1}},     {"1,3,5-12", 20, {1, 3, 5, 6, 7, 8, 9, 10, 11, 12}},
        {" 1 , 2 ", 3, {1, 2}}, {"2-9", 4, {2, 3, 4}},
        {"0,4,7", 3, {}},       {"3-1", 3, {3, 2, 1}},
        {"-2", 3, {1, 2}},      {"1-1000000000", 2, {1, 2}},
        {"x", 3, {}},           {"", 0, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(pageSequence(QString::fromLatin1(c.list), c.pages), c.sequence)
            << c.list << " of " << c.pages;
}

TEST(PrintPages, OrderCopiesAndSelection) {
    const TPreparedReport three = pagesOn({A4, A4, A4});
    using Set = std::function<void(TPrintOptions&)>;
    const struct {
        const char* name;
        Set set;
        bool deviceCopies;
        QList<int> pages;
        int copiesPerPage;
    } cases[] = {
        {"all", [](TPrintOptions&) {}, true, {1, 2, 3}, 1},
        {"two collated", [](TPrintOptions& o) { o.Copies = 2; }, true, {1, 2, 3, 1, 2, 3}, 1},
        {"two, not collated: the printer repeats each page",
         [](TPrintOptions& o) { o.Copies = 2, o.Collate = false; },
         true,
         {1, 2, 3},
         2},
        {"two, not collated, on a device without copies",
         [](TPrintOptions& o) { o.Copies = 2, o.Collate = false; },
         false,
         {1, 1, 2, 2, 3, 3},
         1},
        {"from 2 on",
         [](TPrintOptions& o) { o.PageNumbers = QStringLiteral("2-"); },
         true,
         {2, 3},
         1},
        {"3 before 1",
         [](TPrintOptions& o) { o.PageNumbers = QStringLiteral("3,1"); },
         true,
         {3, 1},
         1},
        {"reverse", [](TPrintOptions& o) { o.Reverse = true; }, true, {3, 2, 1}, 1},
        {"odd", [](TPrintOptions& o) { o.PrintPages = ppOdd; }, true, {1, 3}, 1},
        {"even", [](TPrintOptions& o) { o.PrintPages = ppEven; }, true, {2}, 1},
        {"odd of a list, reversed",
         [](TPrintOptions& o) {
             o.PageNumbers = QStringLiteral("1-3"), o.PrintPages = ppOdd, o.Reverse = true;
         },
         true,
         {3, 1},
         1},
        {"reversed and collated",
         [](TPrintOptions& o) { o.Copies = 2, o.Reverse = true; },
         true,
         {3, 2, 1, 3, 2, 1},
         1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingTarget target;
        target.copies = c.deviceCopies;
        TPrintOptions options;
        c.set(options);
        ASSERT_EQ(printPages(three, options, QStringLiteral("Riepilogo dati"), target),
                  PrintOutcome::Printed);
        EXPECT_EQ(target.pages, c.pages);
        EXPECT_EQ(target.job.deviceCopies, c.copiesPerPage);
        EXPECT_EQ(target.job.documentName, QStringLiteral("Riepilogo dati"));
        EXPECT_EQ(target.events.count(QStringLiteral("end")), 1);
    }
}

TEST(PrintPages, NothingSelectedAndDevicesThatFail) {
    const TPreparedReport three = pagesOn({A4, A4, A4});
    RecordingTarget target;
    TPrintOptions seventh;
    seventh.PageNumbers = QStringLiteral("7");
    EXPECT_EQ(printPages(three, seventh, QString(), target), PrintOutcome::NothingToPrint);
    EXPECT_TRUE(target.events.isEmpty()) << "no document is started for nothing";

    RecordingTarget broken;
    broken.startable = false;
    EXPECT_EQ(printPages(three, {}, QString(), broken), PrintOutcome::DeviceFailed);
    EXPECT_TRUE(broken.pages.isEmpty());
}

TEST(PrintPages, PaperIsSetOnlyWhenItChanges) {
    const PaperSettings custom{256, 100, 50, poPortrait};
    const TPreparedReport mixed = pagesOn({A4, A4, A4Landscape, custom});
    RecordingTarget target;
    ASSERT_EQ(printPages(mixed, {}, QString(), target), PrintOutcome::Printed);
    EXPECT_EQ(target.events, (QStringList{
                                 QStringLiteral("begin 9 210x297 portrait"),
                                 QStringLiteral("page 1"),
                                 QStringLiteral("page 2"),
                                 QStringLiteral("paper 9 297x210 landscape"),
                                 QStringLiteral("page 3"),
                                 QStringLiteral("paper 256 100x50 portrait"),
                                 QStringLiteral("page 4"),
                                 QStringLiteral("end"),
                             }));

    // Each layout whole: the paper's size and orientation, full page, no margins.
    ASSERT_EQ(target.layouts.size(), 3);
    const QPageLayout& landscape = target.layouts[1];
    EXPECT_EQ(landscape.pageSize().id(), QPageSize::A4);
    EXPECT_EQ(landscape.orientation(), QPageLayout::Landscape);
    EXPECT_EQ(landscape.mode(), QPageLayout::FullPageMode);
    EXPECT_EQ(landscape.margins(), QMarginsF(0, 0, 0, 0));
    EXPECT_EQ(landscape.fullRect(QPageLayout::Millimeter).size(), QSizeF(297, 210));
    const QSizeF customSize = target.layouts[2].fullRect(QPageLayout::Millimeter).size();
    EXPECT_NEAR(customSize.width(), 100, 0.01);
    EXPECT_NEAR(customSize.height(), 50, 0.01);
}

TEST(PdfExport, WritesEveryPageWithItsPaperAndText) {
    ListTemplate list(150);
    ASSERT_TRUE(list.report.prepare());
    ASSERT_EQ(list.report.prepared().count(), 3);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("list.pdf"));
    ASSERT_TRUE(exportToPdf(list.report.prepared(), file, QStringLiteral("Riepilogo dati")));

    const auto info = poppler(QStringLiteral("pdfinfo"), {file});
    if (!info)
        GTEST_SKIP() << "poppler-utils is not installed: the PDF was written but not read back";
    EXPECT_TRUE(info->contains(QStringLiteral("Pages:           3"))) << info->toStdString();
    EXPECT_TRUE(info->contains(QStringLiteral("Title:           Riepilogo dati")));
    EXPECT_TRUE(info->contains(QStringLiteral("842 x 595 pts (A4)")))
        << "A4 landscape: " << info->toStdString();

    const QString second = pdfPageText(file, 2);
    EXPECT_TRUE(second.contains(QStringLiteral("Line 55"))) << second.toStdString();
    EXPECT_TRUE(second.contains(QStringLiteral("Line 110")));
    EXPECT_FALSE(second.contains(QStringLiteral("Line 111")));
    EXPECT_FALSE(second.contains(QStringLiteral("Riepilogo")));
    const QString third = pdfPageText(file, 3);
    EXPECT_TRUE(third.contains(QStringLiteral("Stampa eseguita in data"))) << third.toStdString();
    EXPECT_FALSE(third.contains(QStringLiteral("[DATE]")));

    EXPECT_FALSE(exportToPdf(list.report.prepared(),
                             dir.filePath(QStringLiteral("no/such/dir.pdf")), QString()))
        << "a file that cannot be written is reported";
}
