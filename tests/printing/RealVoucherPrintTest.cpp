#include "../editor/EditorFixture.h"
#include "../report_core/Poppler.h"
#include "TestPrinter.h"
#include "Typing.h"
#include "printing/TfrmStampaBiglietto.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"
#include "ui/Picture.h"

#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using namespace scontrix;

namespace {

class RealVoucherPrint : public test::EditorFixture {};

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

    // Kept for a look at the page: pdftoppm -png of this file.
    const QString keep = qEnvironmentVariable("SCONTRIX_KEEP_VOUCHER_PDF");
    if (!keep.isEmpty()) {
        QFile::remove(keep);
        QFile::copy(printer.output(), keep);
    }
    report::TPrinterList::reload();
}

} // namespace
