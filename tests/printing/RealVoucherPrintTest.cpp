#include "../report_core/Poppler.h"
#include "EditorFixture.h"
#include "PdfWords.h"
#include "TestPrinter.h"
#include "Typing.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"
#include "ui/Picture.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

using namespace scontrix;

namespace {

class RealVoucherPrint : public test::EditorFixture {};

// The two sections of the strip on paper, in millimetres: the customer part
// and the stub the shop cuts off along 146 mm.
const QRectF CustomerPart(10, 10, 136, 54), Stub(146, 10, 54, 54);

// The voucher typed in the editor, not saved, printed through the print
// system's PDF queue: one A4 portrait page with every printed field on it.
TEST_F(RealVoucherPrint, VoucherOnScreenReachesThePrintSystemOnOneA4Page) {
    test::TestPrinter printer;
    if (!printer.available())
        GTEST_SKIP() << test::TestPrinter::skipReason();
    report::TPrinterList::reload();
    writeArchive(1);
    openEditor();
    QTest::mouseClick(ed()->cmdNuovo, Qt::LeftButton);
    const struct {
        QLineEdit* field;
        QString text;
    } typed[] = {
        {ed()->txtAcquirente, QStringLiteral("Mario Rossi")},
        {ed()->txtNum, QStringLiteral("4711")},
        {ed()->txtEvento, QStringLiteral("125,50")},
        {ed()->txtLuogo, QStringLiteral("Bottega del Caffè")},
        {ed()->txtPosto, QStringLiteral("Giulia Neri [amica]")},
        {ed()->txtScritta, QStringLiteral("Non convertibile in denaro")},
    };
    for (const auto& t : typed) {
        t.field->clear();
        test::typeText(t.field, t.text);
    }
    ed()->txtPrezzo->setText(QStringLiteral("01/04/2024"));
    ed()->txtSpettatore->setText(QStringLiteral("30/09/2024"));
    const QImage logo = ed()->imgFoto->image();
    ASSERT_FALSE(logo.isNull());

    const QString queue = printer.queue();
    QTimer::singleShot(0, [queue] {
        auto* window =
            qobject_cast<printing::TfrmStampaBiglietto*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window) << "the print window opens over the editor";
        QTimer::singleShot(0, [queue] {
            auto* dialog = qobject_cast<report::TPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog);
            EXPECT_EQ(dialog->PrinterCB->currentText(), queue) << "the default printer";
            QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        });
        QTest::mouseClick(window->btnStampa, Qt::LeftButton);
    });
    QTest::mouseClick(ed()->cmdStampa, Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();

    ASSERT_TRUE(printer.waitForOutput()) << "no document from the print system";
    const auto info = test::poppler(QStringLiteral("pdfinfo"), {printer.output()});
    ASSERT_TRUE(info.has_value()) << "poppler-utils is needed to read the printed PDF";
    EXPECT_TRUE(info->contains(QStringLiteral("Pages:           1"))) << info->toStdString();
    EXPECT_TRUE(info->contains(QStringLiteral("595 x 842 pts"))) << info->toStdString();
    EXPECT_TRUE(info->contains(QStringLiteral("Title:           Buono Acquisto")));

    const QString text = test::pdfPageText(printer.output(), 1);
    for (const char* expected :
         {"N. 4711", "Valido dal 01/04/2024", "30/09/2024", "Buono acquisto € 125,50",
          "Bottega del Caffè", "Giulia Neri [amica]", "Non convertibile in denaro", "DATA SCADENZA",
          "BENEFICIARIO"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << " in:\n"
                                                                << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Mario Rossi"))) << "the customer is not printed";
    EXPECT_EQ(text.count(QStringLiteral("N. 4711")), 2) << "customer part and stub";

    // Each section carries both captions over its boxes, and its own copy of
    // the voucher's number and beneficiary.
    const QList<test::PdfWord> words = test::pdfWords(printer.output(), 1);
    for (const char* word : {"DATA", "SCADENZA", "BENEFICIARIO", "4711", "Giulia", "[amica]"}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(test::wordsInside(words, QString::fromUtf8(word), CustomerPart), 1)
            << "in the customer part";
        EXPECT_EQ(test::wordsInside(words, QString::fromUtf8(word), Stub), 1) << "in the stub";
    }

    // Kept for a look at the page: pdftoppm -png of this file.
    const QString keep = qEnvironmentVariable("SCONTRIX_KEEP_VOUCHER_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(printer.output(), keep);
    }
    report::TPrinterList::reload();
}

// What the window tests type, on paper: the print window prints it, and so
// does the engine's preview when its Print button is pressed.
struct TypedCase {
    const char* name;
    bool preview;
};

void PrintTo(const TypedCase& row, std::ostream* os) {
    *os << row.name;
}

class RealVoucherTyped : public RealVoucherPrint,
                         public ::testing::WithParamInterface<TypedCase> {};

TEST_P(RealVoucherTyped, TypedTextsReachThePaperInBothSections) {
    test::TestPrinter printer;
    if (!printer.available())
        GTEST_SKIP() << test::TestPrinter::skipReason();
    report::TPrinterList::reload();
    writeArchive(2);
    openEditor();
    for (const auto& [field, text] : {std::pair{ed()->txtNum, QStringLiteral("77")},
                                      std::pair{ed()->txtPosto, QStringLiteral("Luca Verdi")}}) {
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Delete);
        test::typeText(field, text);
    }

    const bool preview = GetParam().preview;
    auto okInPrintDialog = [] {
        QTimer::singleShot(0, [] {
            auto* dialog = qobject_cast<report::TPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog) << "the engine's print dialog";
            QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        });
    };
    QTimer::singleShot(0, [preview, okInPrintDialog] {
        auto* window =
            qobject_cast<printing::VoucherOutputWindow*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window) << "the print or preview window opens over the editor";
        if (preview) {
            QTimer::singleShot(0, [okInPrintDialog] {
                auto* form = qobject_cast<report::TPreviewForm*>(QApplication::activeModalWidget());
                ASSERT_TRUE(form) << "the engine's preview";
                okInPrintDialog();
                QTest::mouseClick(form->PrintB, Qt::LeftButton);
                QTest::mouseClick(form->CancelB, Qt::LeftButton);
            });
        } else {
            okInPrintDialog();
        }
        QTest::mouseClick(window->btnStampa, Qt::LeftButton);
    });
    QTest::mouseClick(preview ? ed()->cmdAnteprima : ed()->cmdStampa, Qt::LeftButton);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();

    ASSERT_TRUE(printer.waitForOutput()) << "no document from the print system";
    const QString text = test::pdfPageText(printer.output(), 1);
    EXPECT_EQ(text.count(QStringLiteral("N. 77")), 2) << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("Luca Verdi")), 2) << text.toStdString();
    const QList<test::PdfWord> words = test::pdfWords(printer.output(), 1);
    for (const char* word : {"77", "Luca", "Verdi"}) {
        SCOPED_TRACE(word);
        EXPECT_EQ(test::wordsInside(words, QString::fromUtf8(word), CustomerPart), 1);
        EXPECT_EQ(test::wordsInside(words, QString::fromUtf8(word), Stub), 1);
    }
    report::TPrinterList::reload();
}

INSTANTIATE_TEST_SUITE_P(RealVoucherPrint, RealVoucherTyped,
                         ::testing::Values(TypedCase{"FromThePrintWindow", false},
                                           TypedCase{"FromThePreview", true}),
                         [](const auto& row) { return std::string(row.param.name); });

// The desktop's own print system, except that it reports no printer: every job
// asked of it would still go to the test queue, so a print that went on
// regardless would leave a document there.
class NoPrinterReported final : public report::PrintSystem {
public:
    explicit NoPrinterReported(QString queue)
        : real_(report::PrintSystem::makeReal()), queue_(std::move(queue)) {}
    QList<report::PrinterDescription> printers() override { return {}; }
    QString defaultPrinter() override { return {}; }
    bool isUsable(const QString&) override { return true; }
    std::unique_ptr<report::PrintTarget> printerTarget(const QString&) override {
        return real_->printerTarget(queue_);
    }
    QList<report::PrinterOption> printerOptions(const QString&) override { return {}; }

private:
    std::unique_ptr<report::PrintSystem> real_;
    QString queue_;
};

TEST_F(RealVoucherPrint, WithoutAPrinterTheEngineSaysSoAndNoJobIsMade) {
    test::TestPrinter printer;
    if (!printer.available())
        GTEST_SKIP() << test::TestPrinter::skipReason();
    // The printers of the desktop come back for the tests after this one.
    struct Reload {
        ~Reload() { report::TPrinterList::reload(); }
    } reloadAfter;
    NoPrinterReported noPrinter(printer.queue());
    platform::ScopedSeam<report::PrintSystem> guard{noPrinter};
    report::TPrinterList::reload();
    writeArchive(1);
    openEditor();

    bool dialogSeen = false;
    QTimer::singleShot(0, [&dialogSeen] {
        auto* window =
            qobject_cast<printing::TfrmStampaBiglietto*>(QApplication::activeModalWidget());
        ASSERT_TRUE(window);
        // Should the print go on, its dialog is answered so that it prints.
        QTimer::singleShot(0, [&dialogSeen] {
            if (auto* d = qobject_cast<report::TPrintDialog*>(QApplication::activeModalWidget())) {
                dialogSeen = true;
                QTest::mouseClick(d->OkB, Qt::LeftButton);
            }
        });
        QTest::mouseClick(window->btnStampa, Qt::LeftButton);
    });
    QTest::mouseClick(ed()->cmdStampa, Qt::LeftButton);
    QTest::qWait(50);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_FALSE(dialogSeen);
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("You have no printers installed")});

    // A job, had there been one, would have reached the queue by now.
    EXPECT_FALSE(printer.waitForOutput(3000)) << "a document reached the print system";
    EXPECT_FALSE(QFileInfo::exists(printer.output()));
}

} // namespace
