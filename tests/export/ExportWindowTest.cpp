// The export window, driven as a user drives it.
#include "ExportFixture.h"
#include "OpenEditor.h"
#include "TableRows.h"
#include "WindowSystem.h"
#include "WriteFailure.h"
#include "app/TfrmAvvio.h"
#include "editor/TfrmBiglietti.h"
#include "export/ExportTopic.h"
#include "export/VoucherGrid.h"
#include "export/VoucherTable.h"
#include "guide/TfrmGuida.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"

#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

using namespace scontrix;
using exporting::TfrmExpBiglietti;
using platform::RecordingMessageBoxes;

namespace {

class ExportWindow : public test::ExportFixture {
protected:
    QStringList messageTexts() const { return desktop.messages.texts(); }
};

QByteArray cellBytes(const QByteArray& text) {
    return R"(<td style="text-align: left;" sdnum="1040;0;@">)" + text + "</td>";
}

// The window's size and places under each locale: nothing in it (fonts chosen
// by language, the toolkit's texts, a size hint) may make it measure otherwise.
class ExportWindowAnyLocale : public ExportWindow {};

TEST_F(ExportWindowAnyLocale, OpensFromTheEditorAsItsOwnModalWindowWithTheArchiveInTheGrid) {
    writeArchive(test::threeVouchers());
    editor::TfrmBiglietti* ed = test::openEditorOn(*windows);

    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* window = qobject_cast<TfrmExpBiglietti*>(QApplication::activeModalWidget());
        ASSERT_NE(window, nullptr);
        seen = true;
        EXPECT_EQ(window->parentWidget(), ed);
        EXPECT_EQ(window->windowTitle(),
                  QStringLiteral(" Esporta archivio buoni acquisto in Excel"));
        EXPECT_EQ(window->size(), QSize(862, 560));
        const auto* model = window->records();
        ASSERT_EQ(model->rowCount(), 3);
        EXPECT_EQ(model->text(2, 0), QStringLiteral("3"));
        EXPECT_EQ(model->text(2, column("colAcquirente")), QStringLiteral("Giò Neri"));
        EXPECT_EQ(model->text(0, column("colScritta")), QStringLiteral("Bar Centrale"));
        EXPECT_EQ(model->text(0, column("colPagato")), QStringLiteral("Sì"));

        exporting::VoucherGrid* grid = window->grdRecords;
        EXPECT_EQ(grid->geometry(), QRect(8, 80, 821, 409));
        EXPECT_TRUE(grid->alternatingRowColors());
        EXPECT_FALSE(grid->verticalHeader()->isVisible());
        EXPECT_EQ(grid->rowHeight(1), 21);
        EXPECT_EQ(grid->columnWidth(column("colNote")), 300);
        EXPECT_EQ(grid->model()->headerData(column("colCitta"), Qt::Horizontal).toString(),
                  QStringLiteral("Città"));
        EXPECT_GT(grid->horizontalScrollBar()->maximum(), 0) << "fourteen columns scroll sideways";
        click(window->cmdEsci);
    });
    click(ed->cmdExcel);
    EXPECT_TRUE(seen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "cmdEsci closed it";
    EXPECT_EQ(ed->findChild<TfrmExpBiglietti*>(), nullptr) << "destroyed after its run";
}

TEST_F(ExportWindowAnyLocale, ControlsSitAtTheirDesignPlaces) {
    writeArchive({});
    TfrmExpBiglietti* w = openExport();
    EXPECT_EQ(w->panContainer->geometry(), QRect(12, 13, 837, 533));
    const std::pair<QWidget*, QRect> places[] = {
        {w->shpInfo, {8, 493, 821, 32}},    {w->shpSfondo, {8, 8, 821, 65}},
        {w->cmdEsporta, {566, 15, 49, 50}}, {w->cmdGuida, {670, 13, 50, 55}},
        {w->cmdEsci, {766, 15, 40, 50}},    {w->imgLogo, {13, 13, 505, 55}},
        {w->icoHand, {528, 32, 31, 25}},
    };
    for (const auto& [widget, rect] : places)
        EXPECT_EQ(widget->geometry(), rect) << widget->objectName().toStdString();
    EXPECT_EQ(w->panInfo->pos(), QPoint(14, 499));
    EXPECT_EQ(w->panInfo->text(), QStringLiteral("Esportazione archivio in Microsoft Excel."));
    for (ui::Picture* button : {w->cmdEsporta, w->cmdGuida, w->cmdEsci})
        EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
}

TEST_F(ExportWindow, ACellEditedInTheGridIsExportedWhileTheArchiveKeepsItsValue) {
    writeArchive(test::threeVouchers());
    const QByteArray archiveBefore = folder.read(QStringLiteral("Negozio.eur"));
    openExport();
    typeInto(1, "colNote", QStringLiteral("Bar & Caffè"), true);
    EXPECT_EQ(cell(1, "colNote"), QStringLiteral("Bar & Caffè"));
    // Still being typed when the export starts: what the user sees is what is written.
    typeInto(0, "colPosto", QStringLiteral("30,00"), false);

    click(exp()->cmdEsporta);
    const QByteArray bytes = exportedBytes();
    EXPECT_TRUE(bytes.contains(cellBytes("Bar &amp; Caff\xE8"))) << bytes.toStdString();
    EXPECT_TRUE(bytes.contains(cellBytes("30,00")));
    EXPECT_FALSE(bytes.contains(cellBytes("25,00")));
    EXPECT_EQ(folder.read(QStringLiteral("Negozio.eur")), archiveBefore);
}

TEST_F(ExportWindow, ReadOnlyColumnsCannotBeEdited) {
    writeArchive(test::threeVouchers());
    openExport();
    for (const auto& c : exporting::VoucherTable::columns()) {
        const QString before = cell(0, c.name);
        typeInto(0, c.name, QStringLiteral("Z"), true);
        EXPECT_EQ(cell(0, c.name), c.editable ? QStringLiteral("Z") : before) << c.name;
    }
}

// ------------------------------------------------------------------ the two questions

struct QuestionCase {
    const char* name;
    std::deque<bool> answers;
    bool written;
    bool opened;
};

void PrintTo(const QuestionCase& c, std::ostream* os) {
    *os << c.name;
}

class Questions : public ExportWindow, public ::testing::WithParamInterface<QuestionCase> {};

TEST_P(Questions, DecideWhetherTheFileIsWrittenAndOpened) {
    const QuestionCase& c = GetParam();
    writeArchive(test::threeVouchers());
    const QByteArray previous = "<html>la precedente esportazione</html>";
    folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);
    openExport();
    desktop.messages.confirmAnswers = c.answers;
    click(exp()->cmdEsporta);

    QStringList asked = {TfrmExpBiglietti::ExportQuestion};
    if (c.answers.front())
        asked << TfrmExpBiglietti::OpenQuestion;
    EXPECT_EQ(messageTexts(), asked);
    for (const auto& m : desktop.messages.messages) {
        EXPECT_EQ(m.kind, RecordingMessageBoxes::Kind::Confirm);
        EXPECT_EQ(m.owner, exp());
    }
    if (c.written) {
        EXPECT_TRUE(exportedBytes().startsWith(test::expectedHead()));
    } else {
        EXPECT_EQ(exportedBytes(), previous);
    }
    if (c.opened) {
        EXPECT_EQ(desktop.shell.opened, QStringList{u'"' + exported() + u'"'});
    } else {
        EXPECT_TRUE(desktop.shell.opened.isEmpty());
    }
    EXPECT_TRUE(exp()->isVisible()) << "the window stays open for another export";
}

INSTANTIATE_TEST_SUITE_P(Rows, Questions,
                         ::testing::Values(QuestionCase{"no_to_export", {false}, false, false},
                                           QuestionCase{
                                               "no_to_opening", {true, false}, true, false},
                                           QuestionCase{"yes_to_both", {true, true}, true, true}),
                         test::RowName());

TEST(ExportTexts, QuestionsAndFailureAreWordForWord) {
    EXPECT_EQ(TfrmExpBiglietti::ExportQuestion,
              QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a "
                             "seconda del numero di schede presenti in archivio.\r\n\r\nSi vuole "
                             "esportare i dati adesso?"));
    EXPECT_EQ(TfrmExpBiglietti::OpenQuestion,
              QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi "
                             "vuole aprire il file di Excel?"));
    EXPECT_EQ(TfrmExpBiglietti::ExportFailure,
              QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\r"
                             "Accertarsi che il file di Excel non sia già aperto."));
}

// ------------------------------------------------------------------ failures and cancelling

struct WindowFailureCase {
    const char* name;
    bool folderInTheWay;
};

void PrintTo(const WindowFailureCase& c, std::ostream* os) {
    *os << c.name;
}

class WindowFailures : public ExportWindow,
                       public ::testing::WithParamInterface<WindowFailureCase> {};

TEST_P(WindowFailures, ShowTheFailureAloneAndKeepThePreviousExport) {
    writeArchive(test::threeVouchers());
    const QByteArray previous = "<html>la precedente esportazione</html>";
    if (GetParam().folderInTheWay)
        ASSERT_TRUE(QDir().mkdir(exported()));
    else
        folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);
    openExport();
    {
        std::optional<test::WriteFailure> full;
        if (!GetParam().folderInTheWay)
            full.emplace(512);
        click(exp()->cmdEsporta);
    }
    ASSERT_EQ(desktop.messages.messages.size(), 2u);
    EXPECT_EQ(desktop.messages.messages[1].kind, RecordingMessageBoxes::Kind::Plain);
    EXPECT_EQ(desktop.messages.messages[1].text, TfrmExpBiglietti::ExportFailure);
    EXPECT_TRUE(desktop.shell.opened.isEmpty());
    if (!GetParam().folderInTheWay) {
        EXPECT_EQ(exportedBytes(), previous);
    }
    EXPECT_TRUE(exp()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, WindowFailures,
                         ::testing::Values(WindowFailureCase{"full_disk", false},
                                           WindowFailureCase{"folder_in_the_way", true}),
                         test::RowName());

TEST_F(ExportWindow, CancellingTheProgressKeepsThePreviousExportAndSaysNothing) {
    writeNumbered(6000);
    const QByteArray previous = "<html>la precedente esportazione</html>";
    folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);
    openExport();
    ASSERT_EQ(exp()->records()->rowCount(), 6000);
    exp()->progressDelayMs = 0;

    bool cancelled = false;
    std::function<void()> cancelWhenShown = [&] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            QTimer::singleShot(0, cancelWhenShown);
            return;
        }
        EXPECT_EQ(dialog->objectName(), QStringLiteral("dlgProgresso"));
        auto* button = dialog->findChild<QPushButton*>();
        ASSERT_NE(button, nullptr);
        EXPECT_EQ(button->text(), QStringLiteral("Annulla"));
        click(button);
        cancelled = true;
    };
    QTimer::singleShot(0, cancelWhenShown);
    click(exp()->cmdEsporta);

    EXPECT_TRUE(cancelled);
    EXPECT_EQ(exportedBytes(), previous);
    EXPECT_EQ(messageTexts(), QStringList{TfrmExpBiglietti::ExportQuestion});
    EXPECT_TRUE(desktop.shell.opened.isEmpty());
    EXPECT_EQ(QApplication::activeModalWidget() == nullptr ||
                  QApplication::activeModalWidget() == exp(),
              true)
        << "the progress is gone";
}

// ------------------------------------------------------------------ hints, guide, leaving

TEST_F(ExportWindow, TheHintLineNamesTheButtonUnderTheMouseAndEmptiesElsewhere) {
    writeArchive(test::threeVouchers());
    TfrmExpBiglietti* w = openExport();
    const std::pair<ui::Picture*, const char*> hints[] = {
        {w->cmdEsporta, "Esporta l'archivio in formato Microsoft Excel."},
        {w->cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
        {w->cmdEsci, "Esci da questo ambiente di lavoro."},
    };
    for (QWidget* blank :
         {w->panContainer, static_cast<QWidget*>(w->shpInfo), static_cast<QWidget*>(w->shpSfondo),
          w->grdRecords->viewport(), static_cast<QWidget*>(w)}) {
        for (const auto& [button, hint] : hints) {
            QEvent enter(QEvent::Enter);
            QApplication::sendEvent(button, &enter);
            EXPECT_EQ(w->panInfo->text(), QString::fromUtf8(hint));
            QMouseEvent move(QEvent::MouseMove, QPointF(4, 4), blank->mapToGlobal(QPointF(4, 4)),
                             Qt::NoButton, Qt::NoButton, Qt::NoModifier);
            QApplication::sendEvent(blank, &move);
            EXPECT_TRUE(w->panInfo->text().isEmpty()) << blank->objectName().toStdString();
        }
    }
}

TEST_F(ExportWindow, TheGuideShowsTheExportTopicWordForWord) {
    writeArchive({});
    openExport();
    QString title, text;
    QTimer::singleShot(0, [&] {
        auto* guide = qobject_cast<guide::TfrmGuida*>(QApplication::activeModalWidget());
        ASSERT_NE(guide, nullptr);
        EXPECT_EQ(guide->parentWidget(), exp());
        title = guide->lblTitolo->text();
        text = guide->txtGuida->toPlainText();
        click(guide->btnChiudi);
    });
    click(exp()->cmdGuida);
    EXPECT_EQ(title, QStringLiteral("Esportazione archivio buoni acquisto in Excel"));
    EXPECT_EQ(exporting::exportTopic().text,
              QStringLiteral(
                  "Il pulsante Esporta archivio consente di esportare l'archivio annuale dei buoni "
                  "acquisto in un file di Microsoft Excel, che potrà essere aperto con qualsiasi "
                  "software in grado di gestire i file in formato XLS (ad esempio, con Open "
                  "Office, Libre Office o Microsoft Office).\r\n\r\n"
                  "Dopo aver aperto la finestra contenente la griglia dei dati, bisogna fare clic "
                  "sull'icona di Excel. Questa operazione crea in tempo reale un file in formato "
                  "XLS contenente le schede in archivio, che potrà essere aperto immediatamente "
                  "rispondendo affermativamente al messaggio di domanda che appare.\r\n\r\n"
                  "A questo punto è sufficiente salvare il file sul proprio disco fisso "
                  "assegnandogli un nome qualsiasi."));
    EXPECT_EQ(text.split(QStringLiteral("\n\n")).size(), 3);
    EXPECT_TRUE(exp()->isVisible());
}

// Minimised and restored (or after "show desktop") the window is shown again by
// the window system: the cells the shopkeeper changed stay as they are.
TEST_F(ExportWindow, AShowByTheWindowSystemKeepsTheEditedCells) {
    writeArchive(test::threeVouchers());
    openExport();
    typeInto(1, "colNote", QStringLiteral("da tenere"), true);
    writeArchive({test::numbered(1)}); // the archive changed meanwhile: no reading again
    test::showAgainByTheWindowSystem(exp());
    QApplication::processEvents();
    EXPECT_EQ(exp()->records()->rowCount(), 3);
    EXPECT_EQ(cell(1, "colNote"), QStringLiteral("da tenere"));
}

// A grid that holds only part of the archive never passes for it: the
// shopkeeper is told (a failure at once, a stop of his own when he exports),
// nothing is asked or written, and the previous export stays byte for byte.
enum class Incomplete { ReadingCancelled, ArchiveThatCannotBeRead, ReadFailingPartWay };

void PrintTo(Incomplete how, std::ostream* os) {
    *os << (how == Incomplete::ReadingCancelled          ? "reading cancelled"
            : how == Incomplete::ArchiveThatCannotBeRead ? "archive that cannot be read"
                                                         : "read failing part-way");
}

class IncompleteGrid : public ExportWindow, public ::testing::WithParamInterface<Incomplete> {};

TEST_P(IncompleteGrid, IsNeitherExportedNorPassedOffAsTheArchive) {
    const QByteArray previous = "<html>la precedente esportazione</html>";
    folder.write(QStringLiteral("Buoni_Acquisto.xls"), previous);
    std::function<void()> cancel = [&cancel] {
        auto* dialog = qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
        if (!dialog || !dialog->isVisible()) {
            QTimer::singleShot(0, cancel);
            return;
        }
        dialog->cancel();
    };
    // Long enough for the reading to show its progress and let events run
    // (every 4096 vouchers) before it ends.
    constexpr int Vouchers = 20000;
    switch (GetParam()) {
    case Incomplete::ReadingCancelled:
        writeNumbered(Vouchers);
        QTimer::singleShot(0, cancel);
        break;
    case Incomplete::ArchiveThatCannotBeRead:
        QDir().mkpath(archive());
        break;
    case Incomplete::ReadFailingPartWay:
        writeNumbered(Vouchers);
        // Cut short by another program while it is being read: the next
        // block is no longer there.
        QTimer::singleShot(
            0, [this] { QFile::resize(archive(), 1500 * storage::VoucherRecord::Size); });
        break;
    }
    openExport([](TfrmExpBiglietti* w) { w->progressDelayMs = 0; });
    QApplication::processEvents();
    EXPECT_LT(exp()->records()->rowCount(), Vouchers);
    if (GetParam() == Incomplete::ReadingCancelled) {
        EXPECT_TRUE(desktop.messages.messages.empty()) << "a stop asked for is no news";
    } else {
        ASSERT_EQ(desktop.messages.messages.size(), 1u);
        EXPECT_EQ(desktop.messages.messages[0].kind, RecordingMessageBoxes::Kind::Typed);
        EXPECT_EQ(desktop.messages.messages[0].text, TfrmExpBiglietti::IncompleteArchive);
    }
    desktop.messages.messages.clear();
    desktop.messages.confirmAnswers = {true, false};
    click(exp()->cmdEsporta);
    EXPECT_EQ(messageTexts(), QStringList{TfrmExpBiglietti::IncompleteArchive})
        << "no question, no success";
    EXPECT_EQ(exportedBytes(), previous);
}

std::string incompleteName(const ::testing::TestParamInfo<Incomplete>& row) {
    switch (row.param) {
    case Incomplete::ReadingCancelled:
        return "ReadingCancelled";
    case Incomplete::ArchiveThatCannotBeRead:
        return "ArchiveThatCannotBeRead";
    case Incomplete::ReadFailingPartWay:
        break;
    }
    return "ReadFailingPartWay";
}

INSTANTIATE_TEST_SUITE_P(Rows, IncompleteGrid,
                         ::testing::Values(Incomplete::ReadingCancelled,
                                           Incomplete::ArchiveThatCannotBeRead,
                                           Incomplete::ReadFailingPartWay),
                         incompleteName);

TEST_F(ExportWindow, EscapeKeepsTheWindowAndItsEditsOnlyCmdEsciLeaves) {
    writeArchive(test::threeVouchers());
    openExport();
    typeInto(0, "colNote", QStringLiteral("da tenere"), true);
    QTest::keyClick(exp()->grdRecords, Qt::Key_Escape);
    QTest::keyClick(exp(), Qt::Key_Escape);
    EXPECT_TRUE(exp()->isVisible());
    EXPECT_EQ(cell(0, "colNote"), QStringLiteral("da tenere"));
    click(exp()->cmdEsci);
    EXPECT_FALSE(exp()->isVisible());
}

} // namespace
