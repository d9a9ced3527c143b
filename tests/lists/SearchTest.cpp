#include "ListsFixture.h"
#include "ReadFailure.h"
#include "Typing.h"
#include "lists/ArchiveLists.h"
#include "lists/SearchFilters.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"

#include <QCheckBox>
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
        window = ed()->makeSearch();
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
                    QStringLiteral("Mario Rossi"), QStringLiteral("ROSSANA Verdi")}},
        FilterCase{"AnywhereInTheFieldAnyAsciiCase",
                   {{"txtAcquirente", QStringLiteral("ross")}},
                   {QStringLiteral("Luigi Rossini"), QStringLiteral("Mario Rossi"),
                    QStringLiteral("ROSSANA Verdi")}},
        FilterCase{"UpperCaseFilterFindsLowerCase",
                   {{"txtAcquirente", QStringLiteral("ROSSI")}},
                   {QStringLiteral("Luigi Rossini"), QStringLiteral("Mario Rossi")}},
        FilterCase{
            "TrailingBlankIsPartOfTheFilter", {{"txtAcquirente", QStringLiteral("rossi ")}}, {}},
        FilterCase{
            "BlankOnlyFilterTakesNoPart",
            {{"txtVia", QStringLiteral("   ")}, {"txtAcquirente", QStringLiteral("bianchi")}},
            {QStringLiteral("Giulia Bianchi")}},
        FilterCase{"TwoFiltersIntersect",
                   {{"txtAcquirente", QStringLiteral("ross")}, {"txtCel", QStringLiteral("333")}},
                   {QStringLiteral("Mario Rossi"), QStringLiteral("ROSSANA Verdi")}},
        FilterCase{
            "OneFound", {{"txtCel", QStringLiteral("347")}}, {QStringLiteral("Luigi Rossini")}},
        FilterCase{"NothingFound", {{"txtNote", QStringLiteral("compleanno")}}, {}}),
    [](const auto& row) { return std::string(row.param.name); });

// ---------------------------------------------------- one filter, one field
//
// Each filter field reads its own record field and no other. The voucher
// sought holds the typed text in that field only; its decoy holds it in every
// other field and not in that one. A filter reading any other field would
// list the decoy instead, and miss the voucher.

// The voucher sought: every field different, its start date apart from its
// expiry and its place apart from its beneficiary.
storage::VoucherRecord sought() {
    storage::VoucherRecord r;
    r.acquirente = QStringLiteral("Mario Rossi");
    r.via = QStringLiteral("Via Garibaldi 12");
    r.citta = QStringLiteral("Pinerolo");
    r.cel = QStringLiteral("3471234567");
    r.num = QStringLiteral("A-77");
    r.prezzo = QStringLiteral("05/02/2024");
    r.spettatore = QStringLiteral("28/11/2025");
    r.posto = QStringLiteral("Anna Bianchi");
    r.evento = QStringLiteral("42,50");
    r.luogo = QStringLiteral("Bar Centrale");
    r.scritta = QStringLiteral("Spesa minima 10 euro");
    r.note = QStringLiteral("regalo di nozze");
    r.pagato = true;
    return r;
}

constexpr Field TextFields[] = {Field::Acquirente, Field::Via,    Field::Citta,      Field::Cel,
                                Field::Num,        Field::Prezzo, Field::Spettatore, Field::Posto,
                                Field::Evento,     Field::Luogo,  Field::Scritta,    Field::Note};

struct OneFieldCase {
    const char* name;
    const char* control; // the filter field, found by its name
    Field field;         // the record field it searches
    QString typed;       // occurs in that field of the voucher sought only
};

void PrintTo(const OneFieldCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchOneField : public Search, public ::testing::WithParamInterface<OneFieldCase> {
protected:
    // The voucher numbers of the listed rows (column 48 on, after "  Buono n. ").
    QStringList listedNumbers() const {
        QStringList numbers;
        for (const QString& row : shown(window->lstRecords))
            numbers << row.mid(58, 10).trimmed();
        return numbers;
    }
};

TEST_P(SearchOneField, FindsTheTextInItsOwnRecordFieldOnly) {
    const OneFieldCase& c = GetParam();
    const storage::VoucherRecord wanted = sought();
    ASSERT_TRUE(wanted.text(c.field).contains(c.typed, Qt::CaseInsensitive));
    for (const Field other : TextFields)
        ASSERT_TRUE(other == c.field || !wanted.text(other).contains(c.typed, Qt::CaseInsensitive))
            << "the typed text must be in one field of the voucher sought";
    storage::VoucherRecord decoy;
    for (const Field f : TextFields)
        decoy.setText(f, f == c.field ? QStringLiteral("altro") : c.typed);
    writeRecords({decoy, wanted, decoy});

    search({{c.control, c.typed}});
    EXPECT_EQ(listedNumbers(), QStringList{QStringLiteral("A-77")}) << "the voucher sought alone";
    EXPECT_EQ(window->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 1 schede."));
}

INSTANTIATE_TEST_SUITE_P(
    Filters, SearchOneField,
    ::testing::Values(
        OneFieldCase{"Cliente", "txtAcquirente", Field::Acquirente, QStringLiteral("rossi")},
        OneFieldCase{"ViaENumeroCivico", "txtVia", Field::Via, QStringLiteral("garibaldi")},
        OneFieldCase{"Citta", "txtCitta", Field::Citta, QStringLiteral("PINER")},
        OneFieldCase{"Cellulare", "txtCel", Field::Cel, QStringLiteral("1234")},
        OneFieldCase{"BuonoAcquistoN", "txtNum", Field::Num, QStringLiteral("a-77")},
        OneFieldCase{"FineValidita", "txtSpettatore", Field::Spettatore, QStringLiteral("28/11")},
        OneFieldCase{"Beneficiario", "txtPosto", Field::Posto, QStringLiteral("bianchi")},
        OneFieldCase{"Valore", "txtEvento", Field::Evento, QStringLiteral("42,5")},
        OneFieldCase{"CondizioniDiUtilizzo", "txtScritta", Field::Scritta,
                     QStringLiteral("minima")},
        OneFieldCase{"Note", "txtNote", Field::Note, QStringLiteral("nozze")}),
    [](const auto& row) { return std::string(row.param.name); });

// The start date, the place of use and the cashed flag have no filter: typed
// into any of the ten fields, their values find nothing, though the voucher
// holds them.
struct Unfiltered {
    const char* name;
    QString typed;
};

const char* const FilterNames[] = {"txtAcquirente", "txtVia",        "txtCitta", "txtCel",
                                   "txtNum",        "txtSpettatore", "txtPosto", "txtEvento",
                                   "txtScritta",    "txtNote"};

class SearchUnfiltered : public Search,
                         public ::testing::WithParamInterface<std::tuple<Unfiltered, const char*>> {
};

TEST_P(SearchUnfiltered, ValueTypedIntoAnyFilterFindsNothing) {
    const auto& [value, control] = GetParam();
    writeRecords({sought()});
    search({{control, value.typed}});
    EXPECT_TRUE(window->panContainer->isVisible()) << "the search ran";
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
    EXPECT_EQ(window->lblTrovate->text(), QStringLiteral("Il presente elenco contiene 0 schede."));
}

INSTANTIATE_TEST_SUITE_P(
    NoFilter, SearchUnfiltered,
    ::testing::Combine(::testing::Values(Unfiltered{"InizioValidita", QStringLiteral("05/02/2024")},
                                         Unfiltered{"SpendibilePresso",
                                                    QStringLiteral("Bar Centrale")},
                                         Unfiltered{"Incassato", QStringLiteral("S\u00ec")}),
                       ::testing::ValuesIn(FilterNames)),
    [](const auto& row) {
        return std::string(std::get<0>(row.param).name) + "_In_" + std::get<1>(row.param);
    });

TEST_F(Search, TheFilterPanelHoldsTheTenFieldsAndNoOther) {
    QStringList names;
    for (const QLineEdit* field : window->panAvvio->findChildren<QLineEdit*>())
        names << field->objectName();
    QStringList expected;
    for (const char* name : FilterNames)
        expected << QString::fromLatin1(name);
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
    for (const char* name : {"txtPrezzo", "txtLuogo", "chkPagato"})
        EXPECT_EQ(window->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

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

// The cashed flag of the chosen voucher as stored, against the editor's box
// as the shopkeeper left it: "Sì" ticks it, "No" clears it, anything else
// leaves it as it was while the rest of the voucher loads.
struct ChosenFlagCase {
    const char* name;
    QByteArray flag; // the three stored bytes: length, then two characters
    bool before;
    bool after;
};

void PrintTo(const ChosenFlagCase& c, std::ostream* os) {
    *os << c.name;
}

class SearchChosenFlag : public Search, public ::testing::WithParamInterface<ChosenFlagCase> {};

TEST_P(SearchChosenFlag, LoadsTheVoucherAndSetsTheBoxOnlyForSiOrNo) {
    const ChosenFlagCase& c = GetParam();
    ASSERT_EQ(c.flag.size(), 3);
    QByteArray bytes = sought().toBytes();
    bytes.replace(1052, 3, c.flag);
    writeBytes(bytes);
    ed()->chkPagato->setChecked(c.before);
    search({});
    ASSERT_EQ(shown(window->lstRecords).size(), 1) << "no filter: every voucher is listed";
    doubleClickRow(window->lstRecords, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
    EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Mario Rossi"));
    EXPECT_EQ(ed()->txtLuogo->text(), QStringLiteral("Bar Centrale"));
    EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("regalo di nozze"));
    EXPECT_EQ(ed()->chkPagato->isChecked(), c.after);
    EXPECT_TRUE(desktop.messages.messages.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Flags, SearchChosenFlag,
    ::testing::Values(
        ChosenFlagCase{"SiTicks", QByteArray("\x02S\xec", 3), false, true},
        ChosenFlagCase{"NoClears", QByteArray("\x02No", 3), true, false},
        // A length byte past the capacity reads as the capacity: "Sì" still.
        ChosenFlagCase{"LengthPastTheCapacityStillSi", QByteArray("\xffS\xec", 3), false, true},
        ChosenFlagCase{"LowerCaseNoLeavesATickedBox", QByteArray("\x02no", 3), true, true},
        ChosenFlagCase{"LowerCaseNoLeavesAClearBox", QByteArray("\x02no", 3), false, false},
        ChosenFlagCase{"UpperCaseNOLeavesATickedBox", QByteArray("\x02NO", 3), true, true},
        ChosenFlagCase{"SiWithoutAccentLeavesAClearBox", QByteArray("\x02Si", 3), false, false},
        ChosenFlagCase{"SiInUtf8BytesLeavesAClearBox", QByteArray("\x02S\xc3", 3), false, false},
        ChosenFlagCase{"SiCutToSLeavesAClearBox", QByteArray("\x01S\xec", 3), false, false},
        ChosenFlagCase{"EmptyLeavesATickedBox", QByteArray("\x00No", 3), true, true},
        ChosenFlagCase{"EmptyLeavesAClearBox", QByteArray("\x00S\xec", 3), false, false},
        ChosenFlagCase{"BlankAndNLeavesATickedBox", QByteArray("\x02 N", 3), true, true}),
    [](const auto& row) { return std::string(row.param.name); });

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

// A disk failing under the archive part-way: no half list passes for the
// search's answer; the user is told, as when the archive cannot be opened.
TEST_F(Search, AReadFailingPartWayIsReportedAndListsNothing) {
    writeArchive({{QStringLiteral("Mario Rossi")},
                  {QStringLiteral("Luigi Rossini")},
                  {QStringLiteral("Giulia Bianchi")}});
    test::ReadFailure damage(archive(), 2 * storage::VoucherRecord::Size + 100);
    search({{"txtAcquirente", QStringLiteral("rossi")}});
    EXPECT_GT(test::ReadFailure::failures(), 0) << "the damage was met";
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Plain);
    EXPECT_EQ(desktop.messages.messages[0].text, lists::ListWindow::AccessFailure);
    EXPECT_TRUE(window->panAvvio->isVisible());
    EXPECT_FALSE(window->panContainer->isVisible());
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
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

// Opened by the editor's button, the search is the editor's: its chosen
// entry loads into the editor.
TEST_F(Search, EditorsSearchButtonOpensTheSearchInItsCallerMode) {
    window.reset(); // the window of the fixture would keep the editor from clicks
    bool opened = false;
    QTimer::singleShot(0, [&] {
        auto* search = qobject_cast<lists::TfrmTrovaBiglietti*>(QApplication::activeModalWidget());
        ASSERT_NE(search, nullptr);
        opened = true;
        EXPECT_EQ(search->focusWidget(), search->txtAcquirente);
        click(search, "btnCerca");
        ASSERT_TRUE(search->panContainer->isVisible());
        const QModelIndex row = search->lstRecords->model()->index(1, 0);
        search->lstRecords->setCurrentIndex(row);
        QTest::mouseDClick(search->lstRecords->viewport(), Qt::LeftButton, {},
                           search->lstRecords->visualRect(row).center());
    });
    QTest::mouseClick(ed()->cmdTrova, Qt::LeftButton);
    EXPECT_TRUE(opened);
    EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Luigi Rossini"));
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("2"));
}

} // namespace
