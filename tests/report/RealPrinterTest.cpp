#include "../report_core/Poppler.h"
#include "QtPrinters.h"
#include "TempProgramFolder.h"
#include "TestPrinter.h"
#include "report/ReportActions.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"
#include "report/TPropertiesDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cups/cups.h>
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

// A job attribute as the print system keeps it, of the newest job of that
// title on the queue; empty when there is none.
QString jobAttribute(const QString& queue, const QString& title, const char* attribute) {
    cups_job_t* jobs = nullptr;
    const int count = cupsGetJobs2(CUPS_HTTP_DEFAULT, &jobs, queue.toLocal8Bit().constData(), 0,
                                   CUPS_WHICHJOBS_ALL);
    int id = 0;
    for (int i = 0; i < count; ++i) {
        if (QString::fromUtf8(jobs[i].title) == title)
            id = std::max(id, jobs[i].id);
    }
    cupsFreeJobs(count, jobs);
    if (id == 0)
        return {};

    ipp_t* request = ippNewRequest(IPP_OP_GET_JOB_ATTRIBUTES);
    char uri[HTTP_MAX_URI];
    httpAssembleURIf(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0,
                     "/jobs/%d", id);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "job-uri", nullptr, uri);
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_NAME, "requesting-user-name", nullptr,
                 cupsUser());
    ippAddString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                 "all");
    ipp_t* response = cupsDoRequest(CUPS_HTTP_DEFAULT, request, "/");
    QString value;
    if (ipp_attribute_t* found = ippFindAttribute(response, attribute, IPP_TAG_ZERO))
        value = QString::fromUtf8(ippGetString(found, 0, nullptr));
    ippDelete(response);
    return value;
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

// The test queue has a paper source of two trays: the print system lists it
// among the printer's options, and a tray chosen in "Properties..." is the one
// the job asks the print system for.
TEST(RealPrinter, AChoiceAmongThePrintersOptionsReachesTheJob) {
    test::TestPrinter printer;
    if (!printer.available())
        GTEST_SKIP() << test::TestPrinter::skipReason();
    const QString queue = printer.queue();

    const QList<PrinterOption> options = PrintSystem::makeReal()->printerOptions(queue);
    const auto slot = std::find_if(options.begin(), options.end(), [](const PrinterOption& o) {
        return o.name == QStringLiteral("InputSlot");
    });
    ASSERT_NE(slot, options.end());
    EXPECT_EQ(slot->text, QStringLiteral("Paper Source"));
    EXPECT_EQ(slot->choices,
              (QList<PrinterChoice>{{QStringLiteral("Tray1"), QStringLiteral("Tray 1")},
                                    {QStringLiteral("Tray2"), QStringLiteral("Tray 2")}}));
    EXPECT_EQ(slot->defaultChoice, QStringLiteral("Tray1"));
    for (const PrinterOption& option : options) {
        EXPECT_NE(option.name, QStringLiteral("PageSize")) << "the report sets the paper itself";
        EXPECT_NE(option.name, QStringLiteral("PageRegion"));
    }

    test::RecordingDesktop desktop;
    TPrinterList::reload();
    TReport report;
    fillThreePages(report);
    report.ReportOptions.Name = QStringLiteral("Scontrix paper source test");
    report.PrintOptions.PageNumbers = QStringLiteral("1");
    ASSERT_TRUE(report.prepare());

    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TPrintDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        QTimer::singleShot(0, [] {
            auto* properties = qobject_cast<TPropertiesDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(properties, nullptr);
            QComboBox* tray = properties->optionBox(QStringLiteral("InputSlot"));
            ASSERT_NE(tray, nullptr);
            EXPECT_EQ(tray->currentText(), QStringLiteral("Tray 1")) << "the printer's default";
            tray->setCurrentIndex(tray->findData(QStringLiteral("Tray2")));
            QTest::mouseClick(properties->OkB, Qt::LeftButton);
        });
        QTest::mouseClick(dialog->PropButton, Qt::LeftButton);
        QTest::mouseClick(dialog->OkB, Qt::LeftButton);
    });
    EXPECT_TRUE(printReport(report));
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();
    ASSERT_TRUE(printer.waitForOutput()) << "no output from the print system";
    EXPECT_EQ(jobAttribute(queue, report.ReportOptions.Name, "InputSlot"), QStringLiteral("Tray2"));
    TPrinterList::reload();
}
