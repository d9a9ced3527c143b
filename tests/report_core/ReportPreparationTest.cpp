#include "ReportFixtures.h"
#include "TestLocale.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <gtest/gtest.h>

using namespace scontrix::report;
using namespace scontrix::test;

namespace {

const double PageHeight = mmToPx(190);
const double TitleHeight = mmToPx(8);

// Everything a template holds, as text: two equal descriptions are two equal
// templates.
void describe(const TReportComponent& c, QTextStream& out, int depth = 0) {
    out << QString(depth * 2, u' ') << typeid(c).name() << ' ' << c.Name;
    if (const auto* page = dynamic_cast<const TReportPage*>(&c)) {
        out << " paper " << page->paperSize() << ' ' << page->paperWidth() << 'x'
            << page->paperHeight() << " o" << page->orientation() << " margins " << page->LeftMargin
            << ',' << page->TopMargin << ',' << page->RightMargin << ',' << page->BottomMargin
            << " font " << page->Font.Name << page->Font.Height;
    }
    if (const auto* band = dynamic_cast<const TReportBand*>(&c)) {
        out << " top " << band->Top << " height " << band->Height << " visible " << band->Visible
            << " split " << band->AllowSplit;
        if (const auto* data = dynamic_cast<const TMasterData*>(&c))
            out << " rows " << data->RowCount;
    }
    if (const auto* view = dynamic_cast<const TReportView*>(&c)) {
        out << " box " << view->Left << ',' << view->Top << ',' << view->Width << ','
            << view->Height << " colour " << view->Color << " visible " << view->Visible;
    }
    if (const auto* memo = dynamic_cast<const TMemoView*>(&c)) {
        out << " parentfont " << memo->ParentFont << " font " << memo->Font.Name
            << memo->Font.Height << " text [" << memo->Memo.join(QStringLiteral("|")) << ']';
    }
    if (const auto* picture = dynamic_cast<const TPictureView*>(&c))
        out << " picture " << picture->Picture.cacheKey();
    out << '\n';
    for (const auto& child : c.children())
        describe(*child, out, depth + 1);
}

QString describe(const TReport& report) {
    QString text;
    QTextStream out(&text);
    describe(*report.page(0), out);
    describe(*report.reportPage(), out);
    return text;
}

// The lines of the list text box over all pages, in order.
QStringList bodyLines(const TPreparedReport& prepared) {
    QStringList lines;
    for (int i = 0; i < prepared.count(); ++i) {
        for (const TReportView* part : outputs(prepared.page(i), QStringLiteral("txtRiepilogo")))
            lines += static_cast<const TMemoView*>(part)->Memo;
    }
    return lines;
}

} // namespace

TEST(Preparation, PageObjectsOnlyGiveExactlyOnePage) {
    TReport report;
    TReportPage* page = report.reportPage();
    page->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(10), claBrown, {}};
    auto* frame = page->add<TShapeView>(QStringLiteral("ShapeView1"));
    frame->setBounds(mmToPx(10), mmToPx(10), mmToPx(136), mmToPx(54));
    auto* hidden = page->add<TShapeView>(QStringLiteral("Hidden"));
    hidden->Visible = false;
    auto* picture = page->add<TPictureView>(QStringLiteral("imgFoto"));
    picture->setBounds(mmToPx(11), mmToPx(15), mmToPx(44), mmToPx(44));
    auto* text = page->add<TMemoView>(QStringLiteral("txtNum"));
    text->setBounds(mmToPx(58), mmToPx(16), mmToPx(41), mmToPx(5));
    QStringList many;
    for (int i = 0; i < 500; ++i)
        many << QStringLiteral("Buono n. %1").arg(i);
    text->Memo = many; // far more than the box holds: still one page

    ASSERT_TRUE(report.prepare());
    ASSERT_EQ(report.prepared().count(), 1);
    const TPreparedPage& out = report.prepared().page(0);
    ASSERT_EQ(out.Objects.size(), 3u) << "the invisible shape is left out";
    EXPECT_EQ(out.Objects[0]->Name, QStringLiteral("ShapeView1"));
    EXPECT_EQ(out.Objects[1]->Name, QStringLiteral("imgFoto"));
    EXPECT_EQ(out.Objects[2]->Name, QStringLiteral("txtNum"));
    EXPECT_DOUBLE_EQ(out.Objects[2]->Top, mmToPx(16)) << "page objects keep their place";
    const auto* outText = outputText(out, QStringLiteral("txtNum"));
    EXPECT_EQ(outText->Memo, many);
    EXPECT_EQ(outText->Font.Color, claBrown) << "the page's font, for ParentFont";
    EXPECT_FALSE(outText->ParentFont);
}

TEST(Preparation, ListThatFitsIsOutputWholeWithTheSpaceBelowItsText) {
    ListTemplate list(5);
    ASSERT_TRUE(list.report.prepare());
    ASSERT_EQ(list.report.prepared().count(), 1);
    const TPreparedPage& page = list.report.prepared().page(0);

    EXPECT_NEAR(output(page, QStringLiteral("txtTitolo"))->Top, mmToPx(1), 1e-9);
    const auto* body = outputText(page, QStringLiteral("txtRiepilogo"));
    EXPECT_NEAR(body->Top, TitleHeight, 1e-9) << "right below the title";
    EXPECT_NEAR(body->Height, 5 * ListLineHeight, 1e-9);
    EXPECT_EQ(body->Memo, list.lines());
    EXPECT_NEAR(output(page, QStringLiteral("txtPagina"))->Top,
                TitleHeight + 5 * ListLineHeight + 10 + mmToPx(2), 1e-9)
        << "the footer follows the whole band, 10 px below its text included";
}

TEST(Preparation, LongListIsCutAtLineBoundariesAndTheFooterFollowsTheLastPart) {
    const struct {
        int lines;
        int pages;
        bool footerOnNewPage;
    } cases[] = {
        {54 + 56 + 20, 3, false},
        {54 + 56 + 55, 4, true}, // the last part leaves less than the footer's 8 mm
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.lines);
        ListTemplate list(c.lines);
        ASSERT_TRUE(list.report.prepare());
        const TPreparedReport& prepared = list.report.prepared();
        ASSERT_EQ(prepared.count(), c.pages);
        EXPECT_EQ(bodyLines(prepared), list.lines()) << "every line once, in order";

        const auto* first = outputText(prepared.page(0), QStringLiteral("txtRiepilogo"));
        EXPECT_NEAR(first->Top, TitleHeight, 1e-9);
        EXPECT_NEAR(first->Height, PageHeight - TitleHeight, 1e-6) << "down to the page end";
        EXPECT_EQ(first->Memo.size(), 54) << "as many lines as fit at 12.67 px";
        const auto* second = outputText(prepared.page(1), QStringLiteral("txtRiepilogo"));
        EXPECT_NEAR(second->Top, 0, 1e-9) << "the next parts start at the page top";
        EXPECT_EQ(second->Memo.size(), 56);
        for (int i = 1; i < prepared.count(); ++i)
            EXPECT_EQ(output(prepared.page(i), QStringLiteral("txtTitolo")), nullptr)
                << "the title is on the first page only";

        const TPreparedPage& lastPart = prepared.page(2);
        const auto* last = outputText(lastPart, QStringLiteral("txtRiepilogo"));
        const TPreparedPage& footerPage = prepared.page(prepared.count() - 1);
        const TReportView* footer = output(footerPage, QStringLiteral("txtPagina"));
        ASSERT_NE(footer, nullptr);
        if (c.footerOnNewPage) {
            EXPECT_NEAR(footer->Top, mmToPx(2), 1e-9) << "at the top of a page of its own";
            EXPECT_EQ(footerPage.Objects.size(), 1u);
        } else {
            EXPECT_NEAR(footer->Top, last->Top + last->Height + mmToPx(2), 1e-9)
                << "right after the last part: a cut band loses the space below its text";
        }
    }
}

TEST(Preparation, TextThatCannotStartOnThePageMovesToTheNext) {
    for (const bool allowSplit : {true, false}) {
        SCOPED_TRACE(allowSplit);
        ListTemplate list(3);
        list.data->AllowSplit = allowSplit;
        list.title->Height = PageHeight - 10; // not one line (12.67 px + 1) fits below it
        ASSERT_TRUE(list.report.prepare());
        ASSERT_EQ(list.report.prepared().count(), 2);
        EXPECT_EQ(output(list.report.prepared().page(0), QStringLiteral("txtRiepilogo")), nullptr);

        const TPreparedPage& next = list.report.prepared().page(1);
        const auto* body = outputText(next, QStringLiteral("txtRiepilogo"));
        ASSERT_NE(body, nullptr);
        EXPECT_NEAR(body->Top, 0, 1e-9);
        EXPECT_EQ(body->Memo, list.lines());
        // A band that may be cut goes as tall as its text; one that may not
        // moves whole, with its 10 px.
        const double bandHeight = 3 * ListLineHeight + (allowSplit ? 0 : 10);
        EXPECT_NEAR(output(next, QStringLiteral("txtPagina"))->Top, bandHeight + mmToPx(2), 1e-9);
    }
}

// Cutting a long list must not shrink a part below the lines it carries,
// whatever the page height: the last lines would be cut off on paper.
TEST(Preparation, EveryPartOfALongListIsTallEnoughForItsLines) {
    for (const double printableMm : {190.0, 187.85, 150.3}) {
        SCOPED_TRACE(printableMm);
        ListTemplate list(1000);
        list.page->BottomMargin = 210 - 10 - printableMm;
        ASSERT_TRUE(list.report.prepare());
        EXPECT_EQ(bodyLines(list.report.prepared()), list.lines());
        for (int i = 0; i < list.report.prepared().count(); ++i) {
            for (const TReportView* part :
                 outputs(list.report.prepared().page(i), QStringLiteral("txtRiepilogo"))) {
                const auto* text = static_cast<const TMemoView*>(part);
                EXPECT_GE(text->Height + 1e-6, text->Memo.size() * ListPitch + 1)
                    << "page " << i + 1 << ": " << text->Memo.size() << " lines";
            }
        }
    }
}

TEST(Preparation, BandsThatCanNeverFitStillEnd) {
    // A line taller than the whole page goes on a page of its own, cut.
    ListTemplate tall(3);
    tall.page->setPaperHeight(20 + 20); // 20 mm printable: 75.6 px
    tall.body->Font.Height = -100;
    tall.body->Height = 3 * 102 + 1;
    tall.data->Height = tall.body->Height;
    ASSERT_TRUE(tall.report.prepare());
    EXPECT_EQ(bodyLines(tall.report.prepared()), tall.lines());
    EXPECT_GE(tall.report.prepared().count(), 3);

    // A box far taller than its text, on a band that may be cut.
    ListTemplate empty(1);
    empty.body->Height = 3 * PageHeight;
    empty.data->Height = empty.body->Height;
    ASSERT_TRUE(empty.report.prepare());
    EXPECT_EQ(bodyLines(empty.report.prepared()), empty.lines());

    // Margins that leave no paper: an error, not a hang.
    ListTemplate noRoom(3);
    noRoom.page->TopMargin = 150;
    noRoom.page->BottomMargin = 150;
    EXPECT_FALSE(noRoom.report.prepare());
    EXPECT_EQ(noRoom.report.errors(),
              QStringList{QStringLiteral("Page: the margins leave no printable area")});
}

TEST(Preparation, RowsFooterAndNewPageBands) {
    ListTemplate list(2);
    list.data->RowCount = 3;
    auto* extra = list.page->add<TMasterData>(QStringLiteral("Extra"));
    extra->Top = mmToPx(50);
    extra->Height = 20;
    extra->StartNewPage = true;
    extra->add<TShapeView>(QStringLiteral("ExtraShape"))->setBounds(0, 5, 100, 10);

    ASSERT_TRUE(list.report.prepare());
    ASSERT_EQ(list.report.prepared().count(), 2);
    const TPreparedPage& first = list.report.prepared().page(0);
    const auto rows = outputs(first, QStringLiteral("txtRiepilogo"));
    ASSERT_EQ(rows.size(), 3u) << "RowCount rows";
    const double band = 2 * ListLineHeight + 10;
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(rows[static_cast<size_t>(i)]->Top, TitleHeight + i * band, 1e-9);
    EXPECT_EQ(outputs(first, QStringLiteral("txtPagina")).size(), 1u)
        << "one footer, after the rows";
    EXPECT_NEAR(output(first, QStringLiteral("txtPagina"))->Top, TitleHeight + 3 * band + mmToPx(2),
                1e-9);
    EXPECT_NEAR(output(list.report.prepared().page(1), QStringLiteral("ExtraShape"))->Top, 5, 1e-9);
}

TEST(Preparation, LeavesTheTemplateExactlyAsItWas) {
    ListTemplate list(130);
    auto* loose = list.page->add<TMemoView>(QStringLiteral("Loose"));
    loose->setText(QStringLiteral("[DATE] on the page"));
    auto* picture = list.page->add<TPictureView>(QStringLiteral("Logo"));
    QImage logo(4, 4, QImage::Format_RGB32);
    logo.fill(Qt::red);
    picture->setPicture(logo);
    const QString before = describe(list.report);

    ASSERT_TRUE(list.report.prepare());
    ASSERT_GT(list.report.prepared().count(), 1) << "the band was cut";
    EXPECT_EQ(describe(list.report), before);
    EXPECT_EQ(list.report.find<TMemoView>(QStringLiteral("txtRiepilogo")), list.body)
        << "the window's pointers still lead to its objects";

    list.body->addLine(QStringLiteral("[Unknown]"));
    const QString failing = describe(list.report);
    EXPECT_FALSE(list.report.prepare());
    EXPECT_EQ(describe(list.report), failing) << "after a failed run as well";
}

TEST(Preparation, CollectsErrorsSortedAndOnce) {
    TReport report;
    TReportPage* page = report.reportPage();
    auto footerAt = [&](const char* name, double top) {
        auto* f = page->add<TReportFooter>(QString::fromLatin1(name));
        f->Top = top;
        f->Height = 10;
    };
    footerAt("Zeta", 0); // before any data band
    auto* first = page->add<TMasterData>(QStringLiteral("First"));
    first->Top = 10;
    first->Height = page->printableHeight() - 5; // fills page 1
    footerAt("FirstFooter", 20);
    footerAt("Alpha", 30); // after a footer, not a data band
    footerAt("Alpha", 35);
    auto* second = page->add<TMasterData>(QStringLiteral("Second"));
    second->Top = 40;
    second->Height = 20;
    auto* bad = second->add<TMemoView>(QStringLiteral("txtBad"));
    bad->setBounds(0, 0, 100, 20);
    bad->setText(QStringLiteral("Mario [Rossi]"));

    EXPECT_FALSE(report.prepare());
    EXPECT_EQ(report.errors(), (QStringList{QStringLiteral("Unconnected header/footer Alpha"),
                                            QStringLiteral("Unconnected header/footer Zeta"),
                                            QStringLiteral("txtBad: Unknown name \"Rossi\"")}));
    EXPECT_EQ(report.prepared().count(), 1) << "the page completed before the failure stays";

    bad->AllowExpressions = false;
    page->findObject(QStringLiteral("Zeta"))->Name = QStringLiteral("Omega");
    EXPECT_FALSE(report.prepare()) << "unconnected footers alone still fail";
    EXPECT_EQ(report.prepared().count(), 2);
    EXPECT_EQ(report.errors().size(), 2);
    EXPECT_EQ(outputText(report.prepared().page(1), QStringLiteral("txtBad"))->Memo,
              QStringList{QStringLiteral("Mario [Rossi]")})
        << "with expressions off the brackets stay";
}

TEST(Preparation, DateIsTheRegionalShortDateOfTheRunsStartWithTheYearInFull) {
    ListTemplate list(1);
    ASSERT_TRUE(list.report.prepare());
    const QString footer =
        outputText(list.report.prepared().page(0), QStringLiteral("txtPagina"))->text();
    EXPECT_TRUE(footer.startsWith(QStringLiteral("Stampa eseguita in data ")));
    EXPECT_TRUE(footer.endsWith(QString::number(QDate::currentDate().year())))
        << "today, with the year in full: " << footer.toStdString();

    const struct {
        QLocale locale;
        QString text;
    } cases[] = {
        {QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("07/04/2024")},
        {QLocale(QLocale::English, QLocale::UnitedStates), QStringLiteral("4/7/2024")},
        {QLocale(QLocale::German, QLocale::Germany), QStringLiteral("07.04.2024")},
        {QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("2024/04/07")},
        // No regional form at all: day first, as every other date of the program.
        {QLocale::c(), QStringLiteral("07/04/2024")},
    };
    for (const auto& c : cases) {
        list.report.DateLocale = c.locale;
        list.report.Clock = [] { return QDateTime(QDate(2024, 4, 7), QTime(0, 0)); };
        ASSERT_TRUE(list.report.prepare());
        EXPECT_EQ(outputText(list.report.prepared().page(0), QStringLiteral("txtPagina"))->text(),
                  QStringLiteral("Stampa eseguita in data ") + c.text);
    }
    EXPECT_EQ(list.footerText->text(), QStringLiteral("Stampa eseguita in data [DATE]"));
}

// The footer's date as the desktop the program runs on writes it: the test
// runs under each locale (its name says which), and the report takes the
// process's own, as the program does.
TEST(PrintedDateAnyLocale, IsTheDesktopsShortDateWithTheYearInFull) {
    const QString expected = expectedForLocale({
        {"it_IT.UTF-8", "07/04/2024"},
        {"de_DE.UTF-8", "07.04.2024"},
        {"en_US.UTF-8", "4/7/2024"},
        {"C", "07/04/2024"},
    });
    ASSERT_FALSE(expected.isEmpty()) << "no expected date for LANG=" << qgetenv("LANG").constData();

    ListTemplate list(1);
    list.report.Clock = [] { return QDateTime(QDate(2024, 4, 7), QTime(0, 0)); };
    ASSERT_TRUE(list.report.prepare());
    EXPECT_EQ(outputText(list.report.prepared().page(0), QStringLiteral("txtPagina"))->text(),
              QStringLiteral("Stampa eseguita in data ") + expected);
}

// While a long list is cut into pages nothing of the program runs in between:
// no timer, no click could close the window whose template is being prepared.
TEST(Preparation, NothingElseRunsWhileALongListIsCut) {
    ListTemplate list(1000);
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });
    ASSERT_TRUE(list.report.prepare());
    ASSERT_GT(list.report.prepared().count(), 10);
    EXPECT_FALSE(timerRan);
    QCoreApplication::processEvents();
    EXPECT_TRUE(timerRan);
}
