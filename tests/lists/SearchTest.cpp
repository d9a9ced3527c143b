#include "ListsFixture.h"
#include "Typing.h"
#include "lists/ArchiveLists.h"
#include "lists/SearchFilters.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;
using Field = storage::VoucherRecord::Field;

namespace {

class Search : public test::ListsFixture {
protected:
    void SetUp() override {
        ListsFixture::SetUp();
        writeArchive({{QStringLiteral("Mario Rossi")},
                      {QStringLiteral("Luigi Rossini"), QStringLiteral("3471112223")},
                      {QStringLiteral("ROSSANA Verdi"), QStringLiteral("3330000000")},
                      {QStringLiteral("Giulia Bianchi")}});
        openEditor();
        window = std::make_unique<lists::TfrmTrovaBiglietti>(ed());
        window->lblMemory->setText(QStringLiteral("biglietti"));
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        ListsFixture::TearDown();
    }

    // Types each filter into its field by name, then presses Cerca.
    void search(const QList<std::pair<const char*, QString>>& filters) {
        for (const auto& [name, text] : filters) {
            auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
            ASSERT_NE(field, nullptr) << name;
            test::focus(field);
            test::typeText(field, text);
        }
        click(window.get(), "btnCerca");
    }
    QStringList customers() const {
        QStringList names;
        for (const QString& row : shown(window->lstRecords))
            names << row.left(26).trimmed();
        return names;
    }

    std::unique_ptr<lists::TfrmTrovaBiglietti> window;
};

struct FilterCase {
    const char* name;
    QList<std::pair<const char*, QString>> filters;
    QStringList expected; // customers, in list order
    const char* count;    // lblConta
};

void PrintTo(const FilterCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchFilters : public Search, public ::testing::WithParamInterface<FilterCase> {};

TEST_P(SearchFilters, ListsWhatEveryFilledFilterFinds) {
    const FilterCase& c = GetParam();
    search(c.filters);
    EXPECT_TRUE(window->panContainer->isVisible());
    EXPECT_FALSE(window->panAvvio->isVisible());
    EXPECT_EQ(customers(), c.expected);
    EXPECT_EQ(window->lblConta->text(), QString::fromLatin1(c.count));
    EXPECT_EQ(window->lblTrovate->text(),
              QStringLiteral("Il presente elenco contiene %1 schede.").arg(c.expected.size()));
    EXPECT_TRUE(window->txtTrova->hasFocus());
    EXPECT_TRUE(desktop.messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Lists, SearchFilters,
    ::testing::Values(
        FilterCase{"AllBlankListsEverything",
                   {},
                   {QStringLiteral("Giulia Bianchi"), QStringLiteral("Luigi Rossini"),
                    QStringLiteral("Mario Rossi"), QStringLiteral("ROSSANA Verdi")},
                   "0"},
        FilterCase{"AnywhereInTheFieldAnyAsciiCase",
                   {{"txtAcquirente", QStringLiteral("ross")}},
                   {QStringLiteral("Luigi Rossini"), QStringLiteral("Mario Rossi"),
                    QStringLiteral("ROSSANA Verdi")},
                   "1"},
        FilterCase{"UpperCaseFilterFindsLowerCase",
                   {{"txtAcquirente", QStringLiteral("ROSSI")}},
                   {QStringLiteral("Luigi Rossini"), QStringLiteral("Mario Rossi")},
                   "1"},
        FilterCase{"TrailingBlankIsPartOfTheFilter",
                   {{"txtAcquirente", QStringLiteral("rossi ")}},
                   {},
                   "1"},
        FilterCase{
            "BlankOnlyFilterTakesNoPart",
            {{"txtVia", QStringLiteral("   ")}, {"txtAcquirente", QStringLiteral("bianchi")}},
            {QStringLiteral("Giulia Bianchi")},
            "1"},
        FilterCase{"TwoFiltersIntersect",
                   {{"txtAcquirente", QStringLiteral("ross")}, {"txtCel", QStringLiteral("333")}},
                   {QStringLiteral("Mario Rossi"), QStringLiteral("ROSSANA Verdi")},
                   "2"},
        FilterCase{"OneFound",
                   {{"txtCel", QStringLiteral("347")}},
                   {QStringLiteral("Luigi Rossini")},
                   "1"},
        FilterCase{"NothingFound", {{"txtNote", QStringLiteral("compleanno")}}, {}, "1"}),
    [](const auto& row) { return std::string(row.param.name); });

// A later voucher with the same row that the filters leave out is never the
// one the chosen entry opens.
TEST_F(Search, TheEntryOpensTheVoucherTheFiltersListedNotATwin) {
    test::Voucher listed{QStringLiteral("Mario Rossi")};
    listed.note = QStringLiteral("il primo");
    test::Voucher twin = listed;
    twin.note = QStringLiteral("il secondo"); // beyond what the row shows
    writeArchive({listed, {QStringLiteral("Zeno")}, twin});
    search({{"txtNote", QStringLiteral("primo")}});
    ASSERT_EQ(customers(), QStringList{QStringLiteral("Mario Rossi")});
    // Typed after the search: the list is still what "primo" found.
    test::focus(window->txtNote);
    window->txtNote->clear();
    doubleClickRow(window->lstRecords, 0);
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
    EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("il primo"));
}

// A stray Escape keeps the window and what was typed: it is left through
// its own buttons only.
TEST_F(Search, EscapeKeepsTheWindowAndTheTypedFilters) {
    test::focus(window->txtAcquirente);
    test::typeText(window->txtAcquirente, QStringLiteral("Ross"));
    QTest::keyClick(window->txtAcquirente, Qt::Key_Escape);
    QTest::keyClick(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->txtAcquirente->text(), QStringLiteral("Ross"));
}

TEST_F(Search, AccentedCapitalsAreNotFolded) {
    writeArchive({{QStringLiteral("Niccolò Città")}, {QStringLiteral("NICCOLÒ CITTÀ")}});
    search({{"txtAcquirente", QStringLiteral("città")}});
    EXPECT_EQ(customers(), QStringList{QStringLiteral("Niccolò Città")});
}

TEST_F(Search, FilterFieldsShowTheirYellowFrameAndPassEnterAlongInARing) {
    const QList<QLineEdit*> fields = window->filterFields();
    ASSERT_EQ(fields.size(), 10);
    const QStringList order = {"txtAcquirente", "txtVia",   "txtCitta",  "txtCel",     "txtNum",
                               "txtSpettatore", "txtPosto", "txtEvento", "txtScritta", "txtNote"};
    test::focus(fields[0]);
    for (int i = 0; i < 10; ++i) {
        QWidget* focused = QApplication::focusWidget();
        ASSERT_NE(focused, nullptr);
        EXPECT_EQ(focused->objectName(), order[i]);
        const QString frameName = QStringLiteral("effCampo%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        auto* frame = window->findChild<ui::ShapeRect*>(frameName);
        ASSERT_NE(frame, nullptr) << frameName.toStdString();
        EXPECT_TRUE(frame->isVisible()) << frameName.toStdString();
        // The frame lies behind its field, 4 pixels larger on every side.
        EXPECT_EQ(frame->geometry(), focused->geometry().adjusted(-4, -4, 4, 4));
        QTest::keyClick(focused, Qt::Key_Return);
        EXPECT_FALSE(frame->isVisible()) << frameName.toStdString();
    }
    EXPECT_EQ(QApplication::focusWidget(), fields[0]) << "from Note back to Cliente";
    EXPECT_TRUE(window->isVisible()) << "Enter does not press a button";
}

TEST_F(Search, WaitingNoticeShowsFromThePressOfCerca) {
    EXPECT_FALSE(window->lblAttendere->isVisible());
    QTest::mousePress(window->btnCerca, Qt::LeftButton);
    EXPECT_TRUE(window->lblAttendere->isVisible());
    QTest::mouseRelease(window->btnCerca, Qt::LeftButton);
    EXPECT_TRUE(window->panContainer->isVisible());
}

TEST_F(Search, MissingArchiveIsCreatedEmptyAndListsNothing) {
    QFile::remove(archive());
    search({});
    EXPECT_TRUE(QFileInfo::exists(archive()));
    EXPECT_EQ(QFileInfo(archive()).size(), 0);
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
    EXPECT_EQ(window->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
}

TEST_F(Search, ArchiveThatCannotBeOpenedKeepsTheFiltersAndEndsTheNotice) {
    // A folder where the archive should be can be neither opened nor created.
    QFile::remove(archive());
    QDir().mkpath(archive());
    bool noticeUnderTheMessage = true;
    desktop.messages.onMessage = [&](const auto&) {
        noticeUnderTheMessage = window->lblAttendere->isVisible();
    };
    search({{"txtAcquirente", QStringLiteral("rossi")}});
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Plain);
    EXPECT_EQ(desktop.messages.messages[0].text,
              QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r"
                             "Accertarsi di possedere i privilegi di scrittura nella cartella di "
                             "installazione del programma."));
    EXPECT_TRUE(window->panAvvio->isVisible());
    EXPECT_FALSE(window->panContainer->isVisible());
    EXPECT_FALSE(noticeUnderTheMessage) << "the search is over when the message shows";
    EXPECT_FALSE(window->lblAttendere->isVisible());
    EXPECT_EQ(window->txtAcquirente->text(), QStringLiteral("rossi"));
}

TEST_F(Search, ClosingEmptiesTheListAndHidesTheNotice) {
    search({});
    ASSERT_EQ(shown(window->lstRecords).size(), 4);
    click(window.get(), "btnChiudi");
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
    EXPECT_FALSE(window->lblAttendere->isVisible());
}

TEST_F(Search, EditorsSearchButtonOpensTheSearchInItsCallerMode) {
    window.reset(); // the window of the fixture would keep the editor from clicks
    QString mode;
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* search = qobject_cast<lists::TfrmTrovaBiglietti*>(QApplication::activeModalWidget());
        ASSERT_NE(search, nullptr);
        opened = true;
        mode = search->lblMemory->text();
        EXPECT_EQ(search->focusWidget(), search->txtAcquirente);
        click(search, "btnAnnulla");
    });
    QTest::mouseClick(ed()->cmdTrova, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(mode, QStringLiteral("biglietti"));
}

} // namespace
