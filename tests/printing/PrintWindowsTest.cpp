#include "../report/ReportWindowFixture.h"
#include "EditorFixture.h"
#include "Typing.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "report/PreviewPageArea.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"

#include <QComboBox>
#include <QLabel>
#include <QMap>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace scontrix;
using namespace scontrix::report;
using platform::MessageType;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

// The editor on a small archive, with two made-up printers whose jobs are
// recorded instead of printed.
class VoucherOutput : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        printSystem.installed = {{QStringLiteral("Laser"), QStringLiteral("Hall")}};
        printSystem.defaultName = QStringLiteral("Laser");
        TPrinterList::reload();
        writeArchive(2);
        openEditor();
    }
    void TearDown() override {
        TPrinterList::reload();
        EditorFixture::TearDown();
    }

    // Runs `step` on the modal window of kind W that opens next; a window of
    // another kind, or none, fails the test and is closed so nothing hangs.
    template <typename W> static void whenModal(std::function<void(W*)> step) {
        QTimer::singleShot(0, [step] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* window = qobject_cast<W*>(modal)) {
                step(window);
                return;
            }
            ADD_FAILURE() << "expected a modal " << W::staticMetaObject.className() << ", found "
                          << (modal ? modal->metaObject()->className() : "none");
            if (modal)
                modal->close();
        });
    }

    // Types into an editable field as the user would, replacing what it held.
    static void type(QLineEdit* field, const QString& text) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        test::typeText(field, text);
    }

    // Presses the window's action button with the mouse and cancels the
    // engine's print dialog, leaving the filled and prepared sheet behind.
    void printAndCancel(printing::TfrmStampaBiglietto& window) {
        whenModal<TPrintDialog>(
            [](TPrintDialog* d) { QTest::mouseClick(d->CancelB, Qt::LeftButton); });
        QTest::mouseClick(window.btnStampa, Qt::LeftButton);
    }

    // Whichever modal dialog of the engine opens during the next action is
    // noted and answered: a print dialog with OK, so that a print that should
    // not happen reaches the recorded printer; a preview (unless one is open
    // already) by closing it. The caller lets events run before `seen` goes.
    void noteEngineWindows(QStringList& seen, bool previews = true) {
        QTimer::singleShot(0, [&seen, previews] {
            QWidget* modal = QApplication::activeModalWidget();
            if (auto* dialog = qobject_cast<TPrintDialog*>(modal)) {
                seen << QStringLiteral("print dialog");
                QTest::mouseClick(dialog->OkB, Qt::LeftButton);
            } else if (auto* preview = qobject_cast<TPreviewForm*>(modal); preview && previews) {
                seen << QStringLiteral("preview");
                QTest::mouseClick(preview->CancelB, Qt::LeftButton);
            }
        });
    }

    QString printed(const printing::VoucherOutputWindow& window, const char* box) const {
        const TReport& sheet = *window.repBiglietto;
        if (sheet.prepared().count() != 1)
            return QStringLiteral("<%1 pages>").arg(sheet.prepared().count());
        for (const auto& object : sheet.prepared().page(0).Objects) {
            if (object->Name == QString::fromLatin1(box))
                if (const auto* text = dynamic_cast<const TMemoView*>(object.get()))
                    return text->text();
        }
        return QStringLiteral("<no %1>").arg(QString::fromLatin1(box));
    }

    test::RecordingPrintSystem printSystem;
    platform::ScopedSeam<PrintSystem> printGuard{printSystem};
};

TEST_F(VoucherOutput, BothWindowsAsDesigned) {
    const auto madePrint = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& print = *madePrint;
    const auto madePreview = ed()->makePreviewWindow();
    printing::TfrmAnteprimaBiglietto& preview = *madePreview;
    const struct {
        printing::VoucherOutputWindow* window;
        const char* caption;
        const char* action;
        const char* picture;
        QRect pictureBox;
        QPoint notice;
    } designs[] = {
        {&print, " Stampa buono acquisto", "Stampa", "imgLogo01", {22, 25, 317, 198}, {128, 212}},
        {&preview,
         " Anteprima di stampa",
         "Mostra anteprima",
         "imgStampante",
         {25, 30, 311, 182},
         {112, 210}},
    };
    for (const auto& w : designs) {
        SCOPED_TRACE(w.caption);
        w.window->show();
        EXPECT_EQ(w.window->windowTitle(), QString::fromUtf8(w.caption));
        EXPECT_EQ(w.window->size(), QSize(364, 287));
        EXPECT_EQ(w.window->shpSfondo->geometry(), QRect(18, 18, 326, 214));
        EXPECT_EQ(w.window->btnAnnulla->geometry(), QRect(18, 243, 145, 28));
        EXPECT_EQ(w.window->btnAnnulla->text(), QStringLiteral("Annulla"));
        EXPECT_EQ(w.window->btnStampa->geometry(), QRect(200, 243, 145, 28));
        EXPECT_EQ(w.window->btnStampa->text(), QString::fromUtf8(w.action));
        auto* picture = w.window->findChild<ui::Picture*>(QString::fromLatin1(w.picture));
        ASSERT_TRUE(picture);
        EXPECT_EQ(picture->geometry(), w.pictureBox);
        EXPECT_EQ(w.window->lblAttendere->pos(), w.notice);
        EXPECT_EQ(w.window->lblAttendere->text(),
                  QStringLiteral("Elaborazione in corso. Attendere..."));
        EXPECT_FALSE(w.window->lblAttendere->isVisible());
        EXPECT_GE(w.window->lblAttendere->width(), w.window->lblAttendere->sizeHint().width())
            << "the notice is not cut";
        EXPECT_EQ(w.window->btnAnnulla->nextInFocusChain(), w.window->btnStampa);
        EXPECT_EQ(w.window->btnStampa->cursor().shape(), Qt::PointingHandCursor);
        w.window->close();
    }
}

// What the voucher on screen becomes on paper: the texts of the prepared page.
struct FillCase {
    const char* name;
    QList<std::pair<const char*, QString>> typed; // editor field, text
    QList<std::pair<const char*, QString>> sheet; // sheet box, expected text
};

void PrintTo(const FillCase& row, std::ostream* os) {
    *os << row.name;
}

class Filling : public VoucherOutput, public ::testing::WithParamInterface<FillCase> {
protected:
    void typeTheVoucher() {
        for (const auto& [field, text] : GetParam().typed) {
            auto* edit = ed()->findChild<QLineEdit*>(QString::fromLatin1(field));
            ASSERT_TRUE(edit) << field;
            if (edit->isReadOnly())
                edit->setText(text); // the date fields take their dates from the picker
            else
                type(edit, text);
            ASSERT_EQ(edit->text(), text) << field;
        }
    }
};

TEST_P(Filling, PrintsWhatTheEditorShows) {
    typeTheVoucher();
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    printAndCancel(window);
    for (const auto& [box, text] : GetParam().sheet)
        EXPECT_EQ(printed(window, box), text) << box;
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();
}

// The preview window fills its own copy of the sheet the same way: the page
// the engine's preview shows holds the same texts.
TEST_P(Filling, PreviewShowsWhatTheEditorShows) {
    typeTheVoucher();
    const auto madeWindow = ed()->makePreviewWindow();
    printing::TfrmAnteprimaBiglietto& window = *madeWindow;
    window.show();
    int pagesShown = 0;
    QMap<QString, QString> shown;
    whenModal<TPreviewForm>([&](TPreviewForm* preview) {
        pagesShown = preview->PageArea->pageCount();
        for (const auto& [box, text] : GetParam().sheet)
            shown[QString::fromLatin1(box)] = printed(window, box);
        QTest::mouseClick(preview->CancelB, Qt::LeftButton);
    });
    QTest::mouseClick(window.btnStampa, Qt::LeftButton);
    EXPECT_EQ(pagesShown, 1) << "the preview did not open on the voucher";
    for (const auto& [box, text] : GetParam().sheet)
        EXPECT_EQ(shown.value(QString::fromLatin1(box), QStringLiteral("<not shown>")), text)
            << box;
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();
}

const QString Euro = QStringLiteral("Buono acquisto \u20AC ");

INSTANTIATE_TEST_SUITE_P(
    VoucherOutput, Filling,
    ::testing::Values(
        FillCase{"WholeVoucherTypedNotSaved",
                 {{"txtNum", QStringLiteral("42")},
                  {"txtPrezzo", QStringLiteral("01/04/2024")},
                  {"txtSpettatore", QStringLiteral("31/12/2024")},
                  {"txtEvento", QStringLiteral("25,00")},
                  {"txtLuogo", QStringLiteral("Caffè Roma")},
                  {"txtPosto", QStringLiteral("Anna Bianchi")},
                  {"txtScritta", QStringLiteral("Non convertibile in denaro")}},
                 {{"txtNum", QStringLiteral("N. 42")},
                  {"txtNum_A", QStringLiteral("N. 42")},
                  {"txtPrezzo", QStringLiteral("Valido dal 01/04/2024")},
                  {"txtPrezzo_A", QStringLiteral("Valido dal 01/04/2024")},
                  {"txtEvento", Euro + QStringLiteral("25,00")},
                  {"txtEvento_A", Euro + QStringLiteral("25,00")},
                  {"txtLuogo", QStringLiteral("Caffè Roma")},
                  {"txtLuogo_A", QStringLiteral("Caffè Roma")},
                  {"txtSpettatore", QStringLiteral("31/12/2024")},
                  {"txtSpettatore_A", QStringLiteral("31/12/2024")},
                  {"txtPosto", QStringLiteral("Anna Bianchi")},
                  {"txtPosto_A", QStringLiteral("Anna Bianchi")},
                  {"txtScritta", QStringLiteral("Non convertibile in denaro")},
                  {"Memo1", QStringLiteral("BENEFICIARIO")},
                  {"Memo5", QStringLiteral("DATA SCADENZA")}}},
        FillCase{"EmptyNumber",
                 {{"txtNum", QString()}},
                 {{"txtNum", QStringLiteral("N. ")}, {"txtNum_A", QStringLiteral("N. ")}}},
        FillCase{
            "EmptyValue", {{"txtEvento", QString()}}, {{"txtEvento", Euro}, {"txtEvento_A", Euro}}},
        FillCase{"EmptyStart",
                 {{"txtPrezzo", QString()}},
                 {{"txtPrezzo", QStringLiteral("Valido dal ")},
                  {"txtPrezzo_A", QStringLiteral("Valido dal ")}}},
        FillCase{"EmptyPlaceLeavesItsBoxesBlank",
                 {{"txtLuogo", QString()}, {"txtScritta", QString()}},
                 {{"txtLuogo", QString()}, {"txtLuogo_A", QString()}, {"txtScritta", QString()}}},
        FillCase{"SquareBracketsPrintAsTyped",
                 {{"txtPosto", QStringLiteral("Rossi [Bar] [DATE]")}},
                 {{"txtPosto", QStringLiteral("Rossi [Bar] [DATE]")},
                  {"txtPosto_A", QStringLiteral("Rossi [Bar] [DATE]")}}},
        FillCase{
            "BlanksAroundAreTrimmed",
            {{"txtLuogo", QStringLiteral("  Bar Sport  ")}, {"txtNum", QStringLiteral(" 7 ")}},
            {{"txtLuogo", QStringLiteral("Bar Sport")}, {"txtNum_A", QStringLiteral("N. 7")}}}),
    [](const ::testing::TestParamInfo<FillCase>& row) { return std::string(row.param.name); });

TEST_F(VoucherOutput, TheLogoOnScreenIsTheLogoPrinted) {
    // A voucher without a picture of its own shows, and prints, the placeholder.
    QTest::mouseClick(ed()->cmdNuovo, Qt::LeftButton);
    ASSERT_EQ(ed()->imgFoto->image(), ed()->imgBianco->image());
    {
        const auto madeWindow = ed()->makePrintWindow();
        printing::TfrmStampaBiglietto& window = *madeWindow;
        window.show();
        printAndCancel(window);
        const auto* logo = window.repBiglietto->find<TPictureView>(QStringLiteral("imgFoto"));
        ASSERT_TRUE(logo);
        EXPECT_EQ(logo->Picture, ed()->imgBianco->image());
    }
    QImage green(30, 20, QImage::Format_RGB32);
    green.fill(Qt::green);
    ed()->imgFoto->setImage(green);
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    printAndCancel(window);
    const auto& objects = window.repBiglietto->prepared().page(0).Objects;
    const auto* logo = dynamic_cast<const TPictureView*>(objects.at(1).get());
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->Name, QStringLiteral("imgFoto"));
    EXPECT_EQ(logo->Picture, green);
}

TEST_F(VoucherOutput, NoticeShowsWhenTheButtonGoesDownAndIsGoneForTheDialog) {
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    QTest::mousePress(window.btnStampa, Qt::LeftButton);
    EXPECT_TRUE(window.lblAttendere->isVisible()) << "before the click is processed";
    bool noticeDuringDialog = true;
    whenModal<TPrintDialog>([&](TPrintDialog* d) {
        noticeDuringDialog = window.lblAttendere->isVisible();
        QTest::mouseClick(d->CancelB, Qt::LeftButton);
    });
    QTest::mouseRelease(window.btnStampa, Qt::LeftButton);
    EXPECT_FALSE(noticeDuringDialog);
    EXPECT_FALSE(window.isVisible());
}

TEST_F(VoucherOutput, CancelAndNoPrinterCloseWithoutAWarning) {
    {
        const auto madeWindow = ed()->makePrintWindow();
        printing::TfrmStampaBiglietto& window = *madeWindow;
        window.show();
        QTest::mouseClick(window.btnAnnulla, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Rejected);
        EXPECT_EQ(window.repBiglietto->prepared().count(), 0) << "nothing was laid out";
    }
    {
        const auto madeWindow = ed()->makePrintWindow();
        printing::TfrmStampaBiglietto& window = *madeWindow;
        window.show();
        printAndCancel(window);
        EXPECT_FALSE(window.isVisible());
        EXPECT_TRUE(printSystem.jobs.empty());
        EXPECT_TRUE(desktop.messages.messages.empty());
    }
    printSystem.installed.clear();
    TPrinterList::reload();
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    QTest::mouseClick(window.btnStampa, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    for (const auto& m : desktop.messages.messages)
        EXPECT_FALSE(m.text.startsWith(QStringLiteral("Attenzione"))) << m.text.toStdString();
}

TEST_F(VoucherOutput, PrintingReachesTheDefaultPrinter) {
    printSystem.installed.prepend({QStringLiteral("Office"), QStringLiteral("Room 1")});
    TPrinterList::reload();
    QTest::mouseClick(ed()->txtNum, Qt::LeftButton);
    type(ed()->txtNum, QStringLiteral("77"));
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    whenModal<TPrintDialog>([](TPrintDialog* d) { QTest::mouseClick(d->OkB, Qt::LeftButton); });
    QTest::mouseClick(window.btnStampa, Qt::LeftButton);
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    EXPECT_EQ(printSystem.jobs[0].printer, QStringLiteral("Laser"));
    EXPECT_EQ(printSystem.jobs[0].target->pages, QList<int>{1});
    EXPECT_EQ(printSystem.jobs[0].target->job.documentName, QStringLiteral("Buono Acquisto"));
    EXPECT_EQ(printed(window, "txtNum"), QStringLiteral("N. 77"));
    EXPECT_EQ(printed(window, "txtNum_A"), QStringLiteral("N. 77"));
    EXPECT_FALSE(window.isVisible());
}

// A sheet that lacks one of its objects cannot be filled: a warning, then the
// window closes, whichever window it is.
TEST_F(VoucherOutput, FailureWarnsAndCloses) {
    const auto madePrint = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& print = *madePrint;
    const auto madePreview = ed()->makePreviewWindow();
    printing::TfrmAnteprimaBiglietto& preview = *madePreview;
    const struct {
        printing::VoucherOutputWindow* window;
        const char* object;
        const char* message;
    } cases[] = {
        {&print, "txtScritta", "Attenzione: la stampa non è andata a buon fine."},
        {&preview, "imgFoto",
         "Attenzione: la visualizzazione dell'anteprima di stampa non è andata a buon fine."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        desktop.messages.clear();
        c.window->show();
        c.window->repBiglietto->findObject(QString::fromLatin1(c.object))->Name =
            QStringLiteral("Altro");
        QTest::mouseClick(c.window->btnStampa, Qt::LeftButton);
        ASSERT_EQ(desktop.messages.messages.size(), 1u);
        EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed);
        EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Warning);
        EXPECT_EQ(desktop.messages.messages[0].text, QString::fromUtf8(c.message));
        EXPECT_FALSE(c.window->isVisible());
        EXPECT_FALSE(c.window->lblAttendere->isVisible());
    }
}

// The sheet meets the object it looks for under a filled name first, and that
// object is of another kind (a shape where a text box or the logo's picture
// box belongs): the sequence fails as for a missing object, and nothing is
// printed or previewed. The lookup must not pass over it to a later object
// of the right kind.
struct OtherKindCase {
    const char* name;
    bool preview;
    const char* wanted;  // the name the filling looks up
    const char* takenBy; // an earlier shape that is given that name
};

void PrintTo(const OtherKindCase& row, std::ostream* os) {
    *os << row.name;
}

class OtherKind : public VoucherOutput, public ::testing::WithParamInterface<OtherKindCase> {};

TEST_P(OtherKind, FailsWithTheWindowsWarning) {
    const OtherKindCase& row = GetParam();
    std::unique_ptr<printing::VoucherOutputWindow> window;
    if (row.preview)
        window = ed()->makePreviewWindow();
    else
        window = ed()->makePrintWindow();
    window->show();
    TReportComponent* stand = window->repBiglietto->findObject(QString::fromLatin1(row.takenBy));
    ASSERT_TRUE(dynamic_cast<TShapeView*>(stand));
    stand->Name = QString::fromLatin1(row.wanted);
    ASSERT_EQ(window->repBiglietto->findObject(QString::fromLatin1(row.wanted)), stand)
        << "the shape is the first object under that name";

    QStringList engineWindows;
    noteEngineWindows(engineWindows);
    QTest::mouseClick(window->btnStampa, Qt::LeftButton);
    QCoreApplication::processEvents();

    ASSERT_EQ(desktop.messages.messages.size(), 1u)
        << desktop.messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Warning);
    EXPECT_EQ(desktop.messages.messages[0].text,
              row.preview ? QStringLiteral("Attenzione: la visualizzazione dell'anteprima di "
                                           "stampa non è andata a buon fine.")
                          : QStringLiteral("Attenzione: la stampa non è andata a buon fine."));
    EXPECT_TRUE(engineWindows.isEmpty()) << engineWindows.join(u',').toStdString();
    EXPECT_TRUE(printSystem.jobs.empty());
    EXPECT_FALSE(window->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    VoucherOutput, OtherKind,
    ::testing::Values(OtherKindCase{"PrintShapeAsNumber", false, "txtNum", "ShapeView1"},
                      OtherKindCase{"PrintShapeAsLogo", false, "imgFoto", "ShapeView1"},
                      OtherKindCase{"PrintShapeAsStubBeneficiary", false, "txtPosto_A", "Shape5"},
                      OtherKindCase{"PreviewShapeAsLogo", true, "imgFoto", "ShapeView1"},
                      OtherKindCase{"PreviewShapeAsConditions", true, "txtScritta", "Shape6"},
                      OtherKindCase{"PreviewShapeAsStubExpiry", true, "txtSpettatore_A", "Shape2"}),
    [](const auto& row) { return std::string(row.param.name); });

// Without any printer the engine says so in its own error box, whether the
// voucher is printed from the print window or from the preview, and no job
// reaches a printer. It is no failure of the print window: no warning of its
// own, and the window closes.
struct NoPrinterCase {
    const char* name;
    bool fromPreview;
};

void PrintTo(const NoPrinterCase& row, std::ostream* os) {
    *os << row.name;
}

class NoPrinter : public VoucherOutput, public ::testing::WithParamInterface<NoPrinterCase> {};

TEST_P(NoPrinter, TheEngineSaysSoAndNothingIsPrinted) {
    printSystem.installed.clear();
    printSystem.defaultName.clear();
    TPrinterList::reload();
    type(ed()->txtNum, QStringLiteral("77"));

    QStringList engineWindows;
    if (GetParam().fromPreview) {
        const auto madeWindow = ed()->makePreviewWindow();
        printing::TfrmAnteprimaBiglietto& window = *madeWindow;
        window.show();
        whenModal<TPreviewForm>([&](TPreviewForm* preview) {
            noteEngineWindows(engineWindows, false);
            QTest::mouseClick(preview->PrintB, Qt::LeftButton);
            QCoreApplication::processEvents();
            EXPECT_TRUE(preview->isVisible()) << "the preview stays open";
            QTest::mouseClick(preview->CancelB, Qt::LeftButton);
        });
        QTest::mouseClick(window.btnStampa, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
    } else {
        const auto madeWindow = ed()->makePrintWindow();
        printing::TfrmStampaBiglietto& window = *madeWindow;
        window.show();
        noteEngineWindows(engineWindows);
        QTest::mouseClick(window.btnStampa, Qt::LeftButton);
        QCoreApplication::processEvents();
        EXPECT_FALSE(window.isVisible());
    }
    ASSERT_EQ(desktop.messages.messages.size(), 1u)
        << desktop.messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Alert);
    EXPECT_EQ(desktop.messages.messages[0].type, MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text, QStringLiteral("You have no printers installed"));
    EXPECT_TRUE(engineWindows.isEmpty()) << engineWindows.join(u',').toStdString();
    EXPECT_TRUE(printSystem.jobs.empty());
}

INSTANTIATE_TEST_SUITE_P(VoucherOutput, NoPrinter,
                         ::testing::Values(NoPrinterCase{"FromThePrintWindow", false},
                                           NoPrinterCase{"FromThePreview", true}),
                         [](const auto& row) { return std::string(row.param.name); });

// From the editor's toolbar: the preview window, the engine's preview with
// only its four commands, and closing that preview closes the window.
TEST_F(VoucherOutput, ClosingThePreviewClosesThePreviewWindow) {
    type(ed()->txtPosto, QStringLiteral("Luca Verdi"));
    bool previewSeen = false;
    whenModal<printing::TfrmAnteprimaBiglietto>([&](printing::TfrmAnteprimaBiglietto* w) {
        whenModal<TPreviewForm>([&](TPreviewForm* preview) {
            previewSeen = true;
            for (QWidget* offered :
                 {static_cast<QWidget*>(preview->PrintB), static_cast<QWidget*>(preview->ZoomCB),
                  static_cast<QWidget*>(preview->FullScreenBtn),
                  static_cast<QWidget*>(preview->CancelB)})
                EXPECT_TRUE(offered->isVisible()) << offered->objectName().toStdString();
            for (QWidget* left :
                 {static_cast<QWidget*>(preview->OpenB), static_cast<QWidget*>(preview->SaveB),
                  static_cast<QWidget*>(preview->ExportB),
                  static_cast<QWidget*>(preview->DesignerB)})
                EXPECT_FALSE(left->isVisible()) << left->objectName().toStdString();
            EXPECT_NEAR(preview->zoom(), 1.0, 1e-9);
            EXPECT_EQ(printed(*w, "txtPosto"), QStringLiteral("Luca Verdi"));
            EXPECT_EQ(printed(*w, "txtPosto_A"), QStringLiteral("Luca Verdi"));
            QTest::mouseClick(preview->CancelB, Qt::LeftButton);
        });
        QTest::mouseClick(w->btnStampa, Qt::LeftButton);
    });
    QTest::mouseClick(ed()->cmdAnteprima, Qt::LeftButton);
    EXPECT_TRUE(previewSeen);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "both windows are gone";
    EXPECT_TRUE(desktop.messages.messages.empty());
}

// From the keyboard alone: Tab to the action button, then Enter or Space,
// in the print window and the preview window alike.
struct KeyCase {
    const char* name;
    bool preview;
    Qt::Key key;
};

void PrintTo(const KeyCase& c, std::ostream* os) {
    *os << c.name;
}

class ActionKey : public VoucherOutput, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ActionKey, PressesTheFocusedActionButton) {
    std::unique_ptr<printing::VoucherOutputWindow> window;
    if (GetParam().preview)
        window = ed()->makePreviewWindow();
    else
        window = ed()->makePrintWindow();
    window->show();
    QApplication::setActiveWindow(window.get());
    window->btnAnnulla->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    ASSERT_TRUE(window->btnStampa->hasFocus());

    bool reached = false;
    if (GetParam().preview) {
        whenModal<TPreviewForm>([&](TPreviewForm* preview) {
            reached = true;
            QTest::mouseClick(preview->CancelB, Qt::LeftButton);
        });
    } else {
        whenModal<TPrintDialog>([&](TPrintDialog* d) {
            reached = true;
            QTest::mouseClick(d->CancelB, Qt::LeftButton);
        });
    }
    QTest::keyClick(window->btnStampa, GetParam().key);
    EXPECT_TRUE(reached) << "the key did not press the button";
    EXPECT_FALSE(window->isVisible());
}

// Escape keeps both windows, which are left through Annulla; the engine's
// own print dialog, with its Cancel button, still answers Escape.
TEST_F(VoucherOutput, EscapeKeepsBothWindowsAndCancelsTheEnginesPrintDialog) {
    for (const bool preview : {false, true}) {
        std::unique_ptr<printing::VoucherOutputWindow> window;
        if (preview)
            window = ed()->makePreviewWindow();
        else
            window = ed()->makePrintWindow();
        window->show();
        QTest::keyClick(window->btnAnnulla, Qt::Key_Escape);
        QTest::keyClick(window.get(), Qt::Key_Escape);
        EXPECT_TRUE(window->isVisible()) << (preview ? "preview" : "print");
        QTest::mouseClick(window->btnAnnulla, Qt::LeftButton);
        EXPECT_FALSE(window->isVisible());
    }
    const auto madeWindow = ed()->makePrintWindow();
    printing::TfrmStampaBiglietto& window = *madeWindow;
    window.show();
    bool dialogSeen = false;
    whenModal<TPrintDialog>([&](TPrintDialog* d) {
        dialogSeen = true;
        QTest::keyClick(d, Qt::Key_Escape);
        EXPECT_FALSE(d->isVisible()) << "Escape is the print dialog's Cancel";
    });
    QTest::mouseClick(window.btnStampa, Qt::LeftButton);
    EXPECT_TRUE(dialogSeen);
    EXPECT_TRUE(printSystem.jobs.empty());
}

INSTANTIATE_TEST_SUITE_P(Windows, ActionKey,
                         ::testing::Values(KeyCase{"PrintByEnter", false, Qt::Key_Return},
                                           KeyCase{"PrintByKeypadEnter", false, Qt::Key_Enter},
                                           KeyCase{"PrintBySpace", false, Qt::Key_Space},
                                           KeyCase{"PreviewByEnter", true, Qt::Key_Return},
                                           KeyCase{"PreviewBySpace", true, Qt::Key_Space}),
                         [](const auto& row) { return std::string(row.param.name); });

} // namespace
