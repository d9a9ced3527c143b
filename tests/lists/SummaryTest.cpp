#include "ListsFixture.h"
#include "ReadFailure.h"
#include "Typing.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "storage/ArchiveFile.h"
#include "ui/Picture.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <optional>

using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

const QString EmptyList =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

class Summary : public test::ListsFixture {
protected:
    void open() {
        openEditor();
        window = ed()->makeUnpaidSummary();
        window->show();
        QApplication::processEvents();
    }
    void TearDown() override {
        window.reset();
        ListsFixture::TearDown();
    }
    QStringList customers() const {
        QStringList names;
        for (const QString& row : shown(window->lstRecords))
            names << row.left(26).trimmed();
        return names;
    }
    // Puts a raw flag into a stored record.
    static QByteArray withFlag(const test::Voucher& v, QByteArray flag) {
        QByteArray bytes = v.record().toBytes();
        bytes.replace(1052, 3, flag.leftJustified(3, '\0'));
        return bytes;
    }
    void find(const QString& text) {
        test::focus(window->txtTrova);
        window->txtTrova->clear();
        test::typeText(window->txtTrova, text);
        click(window.get(), "btnTrova");
    }

    std::unique_ptr<lists::TfrmRiepDaPagare> window;
};

TEST_F(Summary, ListsOnlyFlagsThatAreExactlyNo) {
    const test::Voucher a{QStringLiteral("Anna")}, b{QStringLiteral("Bruno")},
        c{QStringLiteral("Carla")}, d{QStringLiteral("Dario")}, e{QStringLiteral("Elena")},
        f{QStringLiteral("Fabio")};
    writeBytes(withFlag(a, QByteArray("\x02No", 3)) + withFlag(b, QByteArray("\x02no", 3)) +
               withFlag(c, QByteArray("\x00No", 3)) + withFlag(d, QByteArray("\x02S\xec", 3)) +
               withFlag(e, QByteArray("\x02 N", 3)) + withFlag(f, QByteArray("\x03No", 3)));
    open();
    // A length byte past the capacity reads as the capacity: "No" again.
    EXPECT_EQ(customers(), (QStringList{QStringLiteral("Anna"), QStringLiteral("Fabio")}));
    EXPECT_TRUE(desktop.messages.messages.empty());
    EXPECT_TRUE(window->txtTrova->hasFocus() || window->focusWidget() == window->txtTrova);
}

TEST_F(Summary, EscapeKeepsTheWindowOnlyChiudiLeaves) {
    writeArchive({{QStringLiteral("Bianchi")}});
    open();
    test::focus(window->txtTrova);
    test::typeText(window->txtTrova, QStringLiteral("Bia"));
    QTest::keyClick(window->txtTrova, Qt::Key_Escape);
    QTest::keyClick(window->lstRecords, Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->txtTrova->text(), QStringLiteral("Bia"));
    click(window.get(), "btnChiudi");
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Summary, AllCashedGivesAnEmptyListAndTheFindSaysSo) {
    writeArchive({{QStringLiteral("Anna"), {}, {}, {}, {}, {}, true},
                  {QStringLiteral("Bruno"), {}, {}, {}, {}, {}, true}});
    open();
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
    find(QStringLiteral("anna"));
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Plain);
    EXPECT_EQ(desktop.messages.messages[0].text, EmptyList);
}

TEST_F(Summary, ReadsTheArchiveNotWhatTheEditorShows) {
    writeArchive({{QStringLiteral("Anna")}});
    openEditor();
    ed()->cmdPrimoClick();
    ASSERT_FALSE(ed()->chkPagato->isChecked());
    ed()->chkPagato->setChecked(true); // ticked, not saved
    open();
    EXPECT_EQ(customers(), QStringList{QStringLiteral("Anna")});
    window.reset();

    ed()->cmdSalvaClick();
    desktop.messages.clear();
    open();
    EXPECT_TRUE(customers().isEmpty()) << "saved as cashed, it is gone at the next opening";
}

TEST_F(Summary, MissingArchiveIsCreatedEmptyWithoutAMessage) {
    open();
    EXPECT_TRUE(QFileInfo::exists(archive()));
    EXPECT_TRUE(shown(window->lstRecords).isEmpty());
    EXPECT_TRUE(desktop.messages.messages.empty());
}

TEST_F(Summary, ArchiveThatCannotBeReadIsNotPassedOffAsAllCashed) {
    QDir().mkpath(archive());
    open();
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Plain);
    EXPECT_TRUE(desktop.messages.messages[0].text.startsWith(
        QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.\n\r\n\r")));
    EXPECT_TRUE(window->isVisible());
}

// A disk failing under the archive part-way: the vouchers read before the
// damage stay listed, and the list is not passed off as the whole archive.
TEST_F(Summary, AReadFailingPartWayKeepsWhatWasReadBefore) {
    writeArchive({{QStringLiteral("Dario")},
                  {QStringLiteral("Anna"), {}, {}, {}, {}, {}, true},
                  {QStringLiteral("Bruno")},
                  {QStringLiteral("Carla")}});
    test::ReadFailure damage(archive(), 3 * storage::VoucherRecord::Size + 10);
    open();
    EXPECT_GT(test::ReadFailure::failures(), 0) << "the damage was met";
    EXPECT_EQ(customers(), (QStringList{QStringLiteral("Bruno"), QStringLiteral("Dario")}));
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Plain);
    EXPECT_EQ(desktop.messages.messages[0].text, lists::ListWindow::AccessFailure);
    EXPECT_TRUE(window->isVisible());
}

// The totals line as the window reads the archive, with the expiry dates
// written on machines whose date separator was "/", "." or "-": an archive
// moved from one desktop to another counts the same. Runs under each locale.
class SummaryAnyLocale : public Summary, public ::testing::WithParamInterface<char> {};

TEST_P(SummaryAnyLocale, TotalsCountValueAndExpiredOfTheListedVouchers) {
    const QString pattern = QStringLiteral("dd%1MM%1yyyy").arg(QChar::fromLatin1(GetParam()));
    const QDate today = QDate::currentDate();
    const QString yesterday = today.addDays(-1).toString(pattern);
    const QString todayText = today.toString(pattern);
    const QString nextYear = today.addYears(1).toString(pattern);
    writeArchive({
        {QStringLiteral("Anna"), {}, {}, yesterday, {}, QStringLiteral("50,00")},
        {QStringLiteral("Bruno"), {}, {}, todayText, {}, QStringLiteral("1234,5")},
        {QStringLiteral("Carla"), {}, {}, nextYear, {}, QStringLiteral("dieci euro")},
        {QStringLiteral("Dario"),
         {},
         {},
         QDate(2000, 1, 1).toString(pattern),
         {},
         QStringLiteral("0,25")},
        {QStringLiteral("Elena"), {}, {}, QStringLiteral("non so"), {}, {}},
        // Cashed: neither counted nor added.
        {QStringLiteral("Fabio"), {}, {}, yesterday, {}, QStringLiteral("999,00"), true},
    });
    open();
    EXPECT_EQ(window->lblTotali->text(),
              QStringLiteral("5 buoni non incassati per \u20ac 1.284,75, 2 scaduti "
                             "(1 valore non numerico e 1 valore mancante esclusi)"));
}

INSTANTIATE_TEST_SUITE_P(
    Separators, SummaryAnyLocale, ::testing::Values('/', '.', '-'), [](const auto& row) {
        return std::string(row.param == '/' ? "Slash" : row.param == '.' ? "Point" : "Dash");
    });

// ------------------------------------------------------------------- find

class Find : public Summary {
protected:
    void SetUp() override {
        Summary::SetUp();
        writeArchive({{QStringLiteral("Bianchi")},
                      {QStringLiteral("Mario Rossi")},
                      {QStringLiteral("CITTÀ Nuova")},
                      {QStringLiteral("Verdi")},
                      {QStringLiteral("Luigi Rossini")}});
        open();
        ASSERT_EQ(customers(),
                  (QStringList{QStringLiteral("Bianchi"), QStringLiteral("CITTÀ Nuova"),
                               QStringLiteral("Luigi Rossini"), QStringLiteral("Mario Rossi"),
                               QStringLiteral("Verdi")}));
    }
    int selected() const { return selectedRow(window->lstRecords); }
};

TEST_F(Find, UpperCaseFindsMixedCaseAndTheNextWrapsAround) {
    find(QStringLiteral("ROSSI"));
    EXPECT_EQ(selected(), 2) << "Luigi Rossini, the first from the top";
    click(window.get(), "btnTrova");
    EXPECT_EQ(selected(), 3) << "find next: Mario Rossi";
    click(window.get(), "btnTrova");
    EXPECT_EQ(selected(), 2) << "wrapped from the last match to the first";
    EXPECT_TRUE(desktop.messages.messages.empty());
}

TEST_F(Find, ASingleMatchStaysSelected) {
    find(QStringLiteral("verdi"));
    EXPECT_EQ(selected(), 4);
    click(window.get(), "btnTrova");
    EXPECT_EQ(selected(), 4);
}

TEST_F(Find, ANewTextStartsAgainFromTheTop) {
    window->lstRecords->setCurrentIndex(window->lstRecords->model()->index(3, 0));
    find(QStringLiteral("rossi"));
    EXPECT_EQ(selected(), 2) << "a new find tests from the first entry";
}

TEST_F(Find, AccentedCapitalsAreNotFolded) {
    find(QStringLiteral("città"));
    EXPECT_EQ(selected(), 0) << "no match: the selection stays on the first entry";
    find(QStringLiteral("CITTÀ"));
    EXPECT_EQ(selected(), 1);
}

TEST_F(Find, NoMatchLeavesTheSelectionSilently) {
    window->lstRecords->setCurrentIndex(window->lstRecords->model()->index(3, 0));
    find(QStringLiteral("Gialli"));
    EXPECT_EQ(selected(), 3);
    find(QString());
    EXPECT_EQ(selected(), 3) << "an empty find text matches nothing";
    EXPECT_TRUE(desktop.messages.messages.empty());
}

TEST_F(Find, EnterInTheFindFieldOnlyMovesToTrova) {
    test::focus(window->txtTrova);
    test::typeText(window->txtTrova, QStringLiteral("rossi"));
    QTest::keyClick(window->txtTrova, Qt::Key_Return);
    EXPECT_EQ(window->focusWidget(), window->btnTrova);
    EXPECT_EQ(selected(), -1) << "nothing searched yet";
    EXPECT_TRUE(window->isVisible());
}

// ------------------------------------------------------------------- open

class OpenEntry : public Summary {
protected:
    void writeLogo(int position, const QColor& colour) {
        QDir().mkpath(folder.file(QStringLiteral("Logo_Ditta")));
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(colour);
        ASSERT_TRUE(image.save(
            folder.file(QStringLiteral("Logo_Ditta/Negozio_Foto_%1.jpg").arg(position)), "JPEG"));
    }
    QColor logoColour() const {
        const QImage image = ed()->imgFoto->image();
        return image.pixelColor(image.width() / 2, image.height() / 2);
    }
};

// An unpaid voucher with a later cashed twin (the same row): the entry opens
// the voucher the list shows, not the cashed one it never listed.
TEST_F(OpenEntry, ACashedTwinIsNeverTheVoucherOpened) {
    test::Voucher unpaid{QStringLiteral("Mario Rossi")};
    unpaid.note = QStringLiteral("da incassare");
    test::Voucher cashed = unpaid;
    cashed.cashed = true;
    cashed.note = QStringLiteral("incassato");
    writeArchive({unpaid, {QStringLiteral("Zeno")}, cashed});
    open();
    ASSERT_EQ(shown(window->lstRecords).size(), 2);
    doubleClickRow(window->lstRecords, 0);
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
    EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("da incassare"));
    EXPECT_FALSE(ed()->chkPagato->isChecked());
}

TEST_F(OpenEntry, TwoVouchersWithTheSameRowLoadTheLaterOne) {
    test::Voucher first{QStringLiteral("Mario Rossi")};
    first.note = QStringLiteral("il primo");
    test::Voucher other{QStringLiteral("Zeno")};
    test::Voucher later = first;
    later.note = QStringLiteral("il secondo"); // differs beyond what the row shows
    writeArchive({first, other, later});
    writeLogo(3, Qt::red);
    open();
    ASSERT_EQ(shown(window->lstRecords).size(), 3);
    EXPECT_EQ(shown(window->lstRecords)[0], shown(window->lstRecords)[1]);

    doubleClickRow(window->lstRecords, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("3"));
    EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("il secondo"));
    EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Mario Rossi"));
    EXPECT_FALSE(ed()->chkPagato->isChecked());
    EXPECT_GT(logoColour().red(), 200);
    EXPECT_LT(logoColour().green(), 80);
}

TEST_F(OpenEntry, AVoucherWithoutLogoShowsThePlaceholder) {
    writeArchive({{QStringLiteral("Anna")}, {QStringLiteral("Bruno")}});
    open();
    ed()->imgFoto->setImage(QImage());
    doubleClickRow(window->lstRecords, 1);
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("2"));
    EXPECT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image());
}

TEST_F(OpenEntry, FromTheSearchOnlyInTheEditorsCallerMode) {
    writeArchive({{QStringLiteral("Anna")}, {QStringLiteral("Bruno")}});
    openEditor();
    for (const bool callerMode : {false, true}) {
        SCOPED_TRACE(callerMode ? "opened by the editor" : "without the caller mode");
        // Another caller's search, listened to as the editor listens.
        std::unique_ptr<lists::TfrmTrovaBiglietti> search =
            callerMode ? ed()->makeSearch()
                       : std::make_unique<lists::TfrmTrovaBiglietti>(
                             ed(), ed()->archive(), lists::TfrmTrovaBiglietti::Caller::Other);
        if (!callerMode)
            QObject::connect(search.get(), &lists::ListWindow::voucherChosen, ed(),
                             &editor::TfrmBiglietti::showRecord);
        search->show();
        QApplication::processEvents();
        click(search.get(), "btnCerca");
        doubleClickRow(search->lstRecords, 1);
        EXPECT_FALSE(search->isVisible()) << "the window closes either way";
        EXPECT_EQ(ed()->lblPosizione->text(), callerMode ? QStringLiteral("2") : QString());
        EXPECT_EQ(ed()->txtAcquirente->text(), callerMode ? QStringLiteral("Bruno") : QString());
    }
}

// ------------------------------------------ the archive between list and click
//
// The list is read once, when the window opens; the double click reads the
// archive again. Whatever happened to it meanwhile (rewritten by another copy
// of the program, cut short, gone, unreadable part-way), the editor then shows
// either the chosen voucher as the archive holds it now, at the position it
// has now, or the voucher it showed before; no message, and the window closes.

constexpr qint64 Size = storage::VoucherRecord::Size;

test::Voucher noted(const char* customer, const char* note) {
    test::Voucher v{QString::fromUtf8(customer)};
    v.note = QString::fromUtf8(note);
    return v;
}

QByteArray archiveOf(const QList<test::Voucher>& vouchers) {
    QByteArray bytes;
    for (const test::Voucher& v : vouchers)
        bytes += v.record().toBytes();
    return bytes;
}

struct ChangedCase {
    const char* name;
    std::function<void(const QString& archive)> change; // none: left as listed
    qint64 damagedFrom;                                 // -1: no damage
    qint64 position;                                    // 0: nothing loaded
    const char* note;                                   // of the Carla loaded
};

void PrintTo(const ChangedCase& c, std::ostream* os) {
    *os << c.name;
}

void rewrite(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

std::function<void(const QString&)> rewrittenAs(const QList<test::Voucher>& vouchers) {
    return [bytes = archiveOf(vouchers)](const QString& path) { rewrite(path, bytes); };
}

std::function<void(const QString&)> cutTo(qint64 bytes) {
    return [bytes](const QString& path) { ASSERT_TRUE(QFile::resize(path, bytes)); };
}

class ChangedArchive : public OpenEntry, public ::testing::WithParamInterface<ChangedCase> {};

// Anna, Carla, Bruno, Carla's twin (the same row, another note), Dario: the
// list shows Anna, Bruno, Carla, Carla, Dario, and a Carla is chosen; the
// editor showed Anna.
TEST_P(ChangedArchive, TheEditorShowsTheChosenVoucherAsItIsNowOrWhatItShowed) {
    const ChangedCase& c = GetParam();
    writeArchive({noted("Anna", "di Anna"), noted("Carla", "la prima"), noted("Bruno", "di Bruno"),
                  noted("Carla", "la seconda"), noted("Dario", "di Dario")});
    openEditor();
    ed()->cmdPrimoClick();
    ASSERT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
    open();
    ASSERT_EQ(customers(),
              (QStringList{QStringLiteral("Anna"), QStringLiteral("Bruno"), QStringLiteral("Carla"),
                           QStringLiteral("Carla"), QStringLiteral("Dario")}));
    if (c.change)
        c.change(archive());
    std::optional<test::ReadFailure> damage;
    if (c.damagedFrom >= 0)
        damage.emplace(archive(), c.damagedFrom);

    doubleClickRow(window->lstRecords, 2);
    if (damage) {
        EXPECT_GT(test::ReadFailure::failures(), 0) << "the damage was met";
    }
    damage.reset();

    EXPECT_FALSE(window->isVisible()) << "the window closes either way";
    EXPECT_TRUE(desktop.messages.messages.empty()) << "no message";
    if (c.position == 0) {
        EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
        EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Anna"));
        EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("di Anna"));
    } else {
        EXPECT_EQ(ed()->lblPosizione->text(), QString::number(c.position));
        EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Carla"));
        EXPECT_EQ(ed()->txtNote->text(), QString::fromUtf8(c.note));
    }
    EXPECT_FALSE(ed()->chkPagato->isChecked());
}

INSTANTIATE_TEST_SUITE_P(
    Between, ChangedArchive,
    ::testing::Values(
        ChangedCase{"LeftAsListedOpensTheLaterTwin", {}, -1, 4, "la seconda"},
        ChangedCase{"RewrittenWithTheVoucherElsewhere",
                    rewrittenAs({noted("Elena", "di Elena"), noted("Dario", "di Dario"),
                                 noted("Carla", "spostata"), noted("Anna", "di Anna")}),
                    -1, 3, "spostata"},
        ChangedCase{"RewrittenWithoutTheVoucher",
                    rewrittenAs({noted("Anna", "altra"), noted("Bruno", "di Bruno")}), -1, 0, ""},
        ChangedCase{"RewrittenWithTheVoucherChangedInItsRow",
                    rewrittenAs({{QStringLiteral("Carla"), QStringLiteral("3331234567"),
                                  QStringLiteral("1"), QStringLiteral("31/12/2024"),
                                  QStringLiteral("Anna Bianchi"), QStringLiteral("60,00")}}),
                    -1, 0, ""},
        ChangedCase{"CutAfterTheLaterTwin", cutTo(4 * Size), -1, 4, "la seconda"},
        ChangedCase{"CutBetweenTheTwins", cutTo(3 * Size), -1, 2, "la prima"},
        // An incomplete last record is neither counted nor read.
        ChangedCase{"CutThroughTheLaterTwin", cutTo(3 * Size + 700), -1, 2, "la prima"},
        ChangedCase{"CutThroughTheFirstTwin", cutTo(Size + 500), -1, 0, ""},
        ChangedCase{"Emptied", cutTo(0), -1, 0, ""},
        ChangedCase{"Removed", [](const QString& path) { ASSERT_TRUE(QFile::remove(path)); }, -1, 0,
                    ""},
        ChangedCase{"FolderInItsPlace",
                    [](const QString& path) {
                        ASSERT_TRUE(QFile::remove(path));
                        ASSERT_TRUE(QDir().mkpath(path));
                    },
                    -1, 0, ""},
        // A read failing part-way leaves in the editor the voucher found before
        // the failure.
        ChangedCase{"ReadFailsBetweenTheTwins", {}, 3 * Size, 2, "la prima"},
        ChangedCase{"ReadFailsInsideTheLaterTwin", {}, 3 * Size + 10, 2, "la prima"},
        ChangedCase{"ReadFailsBeforeEitherTwin", {}, Size, 0, ""},
        ChangedCase{"ReadFailsFromTheFirstByte", {}, 0, 0, ""}),
    [](const auto& row) { return std::string(row.param.name); });

// Double clicking the list where no entry is selected (a click on the blank
// below the entries, an entry unselected with Ctrl, an empty list) opens
// nothing and closes the window, without a message, in both list windows.
enum class Selection { NoneYet, UnselectedWithCtrl, NoEntries };

struct NothingChosenCase {
    const char* name;
    bool search; // the search window in the editor's caller mode, or the summary
    Selection selection;
};

void PrintTo(const NothingChosenCase& c, std::ostream* os) {
    *os << c.name;
}

class NothingChosen : public OpenEntry, public ::testing::WithParamInterface<NothingChosenCase> {};

TEST_P(NothingChosen, LeavesTheEditorAsItWasAndClosesTheWindow) {
    const NothingChosenCase& c = GetParam();
    if (c.selection == Selection::NoEntries)
        writeArchive({noted("Anna", "di Anna")}); // cashed below
    else
        writeArchive({noted("Anna", "di Anna"), noted("Bruno", "di Bruno")});
    openEditor();
    ed()->cmdPrimoClick();
    ASSERT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Anna"));

    std::unique_ptr<QWidget> list;
    QListView* view = nullptr;
    if (c.search) {
        auto search = ed()->makeSearch();
        search->show();
        QApplication::processEvents();
        if (c.selection == Selection::NoEntries)
            search->txtNote->setText(QStringLiteral("nessuna nota così"));
        click(search.get(), "btnCerca");
        view = search->lstRecords;
        list = std::move(search);
    } else {
        if (c.selection == Selection::NoEntries) {
            test::Voucher cashed = noted("Anna", "di Anna");
            cashed.cashed = true;
            writeArchive({cashed});
        }
        auto summary = ed()->makeUnpaidSummary();
        summary->show();
        QApplication::processEvents();
        view = summary->lstRecords;
        list = std::move(summary);
    }
    ASSERT_EQ(shown(view).size(), c.selection == Selection::NoEntries ? 0 : 2);
    if (c.selection == Selection::UnselectedWithCtrl) {
        const QPoint at = view->visualRect(view->model()->index(1, 0)).center();
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
        ASSERT_EQ(selectedRow(view), 1);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::ControlModifier, at);
    }
    ASSERT_EQ(selectedRow(view), -1);

    const QPoint blank(view->viewport()->width() / 2, view->viewport()->height() - 5);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, blank);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, blank);

    EXPECT_FALSE(list->isVisible());
    EXPECT_TRUE(desktop.messages.messages.empty());
    EXPECT_EQ(ed()->lblPosizione->text(), QStringLiteral("1"));
    EXPECT_EQ(ed()->txtAcquirente->text(), QStringLiteral("Anna"));
    EXPECT_EQ(ed()->txtNote->text(), QStringLiteral("di Anna"));
}

INSTANTIATE_TEST_SUITE_P(
    Lists, NothingChosen,
    ::testing::Values(
        NothingChosenCase{"SummaryNothingSelected", false, Selection::NoneYet},
        NothingChosenCase{"SummaryEntryUnselected", false, Selection::UnselectedWithCtrl},
        NothingChosenCase{"SummaryEmptyList", false, Selection::NoEntries},
        NothingChosenCase{"SearchNothingSelected", true, Selection::NoneYet},
        NothingChosenCase{"SearchEntryUnselected", true, Selection::UnselectedWithCtrl},
        NothingChosenCase{"SearchEmptyList", true, Selection::NoEntries}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
