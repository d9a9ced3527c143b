#include "../report_core/Poppler.h"
#include "QtPrinters.h"
#include "TempProgramFolder.h"
#include "TestPrinter.h"
#include "report/ReportActions.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace scontrix;
using namespace scontrix::report;

namespace {

// Three A4 pages, each starting with its own word.
void fillThreePages(TReport& report) {
    report.ReportOptions.Name = QStringLiteral("Scontrix print test");
    const char* words[] = {"Alpha", "Bravo", "Charlie"};
    for (int i = 0; i < 3; ++i) {
        auto* band = report.reportPage()->add<TMasterData>(QStringLiteral("Band%1").arg(i));
        band->Top = i * 100;
        band->Height = 200;
        band->StartNewPage = true;
        auto* text = band->add<TMemoView>(QStringLiteral("Text%1").arg(i));
        text->setBounds(mmToPx(20), mmToPx(20), mmToPx(150), mmToPx(20));
        text->ParentFont = false;
        text->Font = {QStringLiteral("Arial"), TFont::heightOfPoints(16), claBlack, fsBold};
        text->setText(QStringLiteral("%1 page of the test").arg(QString::fromLatin1(words[i])));
    }
}

} // namespace

// Prints through the desktop's print system: the queue that scripts/run-tests.sh
// starts as root keeps the PDF it receives in a file.
TEST(RealPrinter, ThreePagesReachThePrintSystemUprightAndTurned) {
    test::TestPrinter printer;
    if (!printer.available())
        GTEST_SKIP() << test::TestPrinter::skipReason();
    const QString output = printer.output();
    const QString queue = printer.queue();
    test::RecordingDesktop desktop;
    TPrinterList::reload();

    const struct {
        TPrinterOrientation orientation;
        bool dialog;
        const char* pageSize;
    } prints[] = {
        {poPortrait, true, "Page size:       595 x 842 pts (A4)"},
        {poLandscape, false, "Page size:       842 x 595 pts (A4)"},
    };
    for (const auto& print : prints) {
        SCOPED_TRACE(print.orientation == poPortrait ? "portrait" : "landscape");
        printer.clear();
        TReport report;
        fillThreePages(report);
        report.reportPage()->setOrientation(print.orientation);
        report.PrintOptions.ShowDialog = print.dialog;
        ASSERT_TRUE(report.prepare());
        ASSERT_EQ(report.prepared().count(), 3);

        if (print.dialog) {
            QTimer::singleShot(0, [queue] {
                auto* dialog = qobject_cast<TPrintDialog*>(QApplication::activeModalWidget());
                ASSERT_NE(dialog, nullptr);
                EXPECT_EQ(dialog->PrinterCB->currentText(), queue)
                    << "the system's default printer";
                QTest::mouseClick(dialog->OkB, Qt::LeftButton);
            });
        }
        EXPECT_TRUE(printReport(report));
        EXPECT_TRUE(desktop.messages.messages.empty())
            << desktop.messages.texts().join(u'\n').toStdString();

        ASSERT_TRUE(printer.waitForOutput())
            << "no output from the print system in " << output.toStdString();
        const auto info = test::poppler(QStringLiteral("pdfinfo"), {output});
        ASSERT_TRUE(info.has_value()) << "poppler-utils is needed to read the printed PDF";
        EXPECT_TRUE(info->contains(QStringLiteral("Pages:           3"))) << info->toStdString();
        EXPECT_TRUE(info->contains(QString::fromLatin1(print.pageSize))) << info->toStdString();
        EXPECT_TRUE(info->contains(QStringLiteral("Title:           Scontrix print test")))
            << "the program's own document, kept as it was produced";
        const char* words[] = {"Alpha", "Bravo", "Charlie"};
        for (int page = 1; page <= 3; ++page) {
            const QString text = test::pdfPageText(output, page);
            EXPECT_TRUE(text.contains(
                QStringLiteral("%1 page of the test").arg(QString::fromLatin1(words[page - 1]))))
                << "page " << page << ": " << text.toStdString();
        }
    }
    TPrinterList::reload();
}
