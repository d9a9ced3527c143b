#include "../report_core/Poppler.h"
#include "ListsFixture.h"
#include "OpenEditor.h"
#include "TestPrinter.h"
#include "lists/ListReport.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"
#include "report/TReport.h"

#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <random>

using namespace scontrix;
using namespace scontrix::report;

namespace {

int pageCount(const QString& pdf) {
    const QString info = test::poppler(QStringLiteral("pdfinfo"), {pdf}).value_or(QString());
    const auto m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The date is written in the system's regional format, always with its four-digit year.
const QRegularExpression Footer(QStringLiteral("Stampa eseguita in data [^\\n]*\\b\\d{4}\\b"));

class PrintList : public test::ListsFixture {
protected:
    void SetUp() override {
        if (!printer.available())
            GTEST_SKIP() << test::TestPrinter::skipReason();
        output = printer.output();
        ListsFixture::SetUp();
        TPrinterList::reload();
    }
    void TearDown() override {
        TPrinterList::reload();
        ListsFixture::TearDown();
    }

    // Presses Stampa, confirms the print dialog and waits for the PDF.
    void print(lists::ListWindow& window) {
        printer.clear();
        bool dialogShown = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TPrintDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            dialogShown = true;
            QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        });
        click(&window, "btnStampa");
        ASSERT_TRUE(dialogShown);
        ASSERT_TRUE(printer.waitForOutput()) << "no output in " << output.toStdString();
        ASSERT_GT(pageCount(output), 0) << "poppler-utils is needed to read the printed PDF";
    }

    // Holds the queue for the whole test: the three prints share its one
    // output file with every other test executable.
    test::TestPrinter printer;
    QString output;
};

TEST_F(PrintList, EmptyLongAndBracketedListsPrintThroughThePrintSystem) {
    {
        SCOPED_TRACE("an empty list: title, a band of 10 units and the footer");
        writeArchive({{QStringLiteral("Anna"), {}, {}, {}, {}, {}, true}});
        openEditor();
        const auto made = ed()->makeUnpaidSummary();
        lists::TfrmRiepDaPagare& window = *made;
        window.show();
        QApplication::processEvents();
        print(window);
        EXPECT_EQ(pageCount(output), 1);
        const QString text = test::pdfPageText(output, 1);
        EXPECT_TRUE(text.contains(QStringLiteral("Riepilogo buoni acquisto non incassati")));
        EXPECT_TRUE(text.contains(Footer)) << text.toStdString();
        // The footer's box starts right below the title and the 10-unit band.
        const TPreparedReport& prepared = window.repRiepilogo().prepared();
        ASSERT_EQ(prepared.count(), 1);
        const TReportView* footer = nullptr;
        for (const auto& object : prepared.page(0).Objects)
            if (object->Name == u"txtPagina")
                footer = object.get();
        ASSERT_NE(footer, nullptr);
        EXPECT_NEAR(footer->Top, mmToPx(8) + 10 + mmToPx(2), 0.01);
        EXPECT_TRUE(desktop.messages.messages.empty());
    }
    {
        SCOPED_TRACE("a list taller than a page");
        QList<test::Voucher> vouchers;
        for (int i = 0; i < 130; ++i)
            vouchers << test::Voucher{QStringLiteral("Cliente %1").arg(i, 3, 10, QLatin1Char('0'))};
        // Stored in no order: the paper must come out sorted all the same.
        std::mt19937 shuffler(20240315);
        std::shuffle(vouchers.begin(), vouchers.end(), shuffler);
        ASSERT_NE(vouchers.front().customer, QStringLiteral("Cliente 000"));
        ASSERT_NE(vouchers.back().customer, QStringLiteral("Cliente 129"));
        writeArchive(vouchers);
        const auto made = ed()->makeUnpaidSummary();
        lists::TfrmRiepDaPagare& window = *made;
        window.show();
        QApplication::processEvents();
        print(window);
        const int pages = pageCount(output);
        ASSERT_EQ(pages, 3) << "about 54 rows a page";
        for (int page = 1; page <= pages; ++page) {
            const QString text = test::pdfPageText(output, page);
            EXPECT_EQ(text.contains(QStringLiteral("Riepilogo buoni acquisto non incassati")),
                      page == 1)
                << "page " << page;
            EXPECT_EQ(text.contains(Footer), page == pages) << "page " << page;
        }
        const QString last = test::pdfPageText(output, pages);
        EXPECT_LT(last.indexOf(QStringLiteral("Cliente 129")), last.indexOf(Footer))
            << "the footer follows the last row";
        QString all;
        for (int page = 1; page <= pages; ++page)
            all += test::pdfPageText(output, page);
        // Every row once, in the list's order: page by page, top to bottom.
        qsizetype previous = -1;
        for (int i = 0; i < 130; ++i) {
            const QString customer = QStringLiteral("Cliente %1").arg(i, 3, 10, QLatin1Char('0'));
            const qsizetype at = all.indexOf(customer);
            EXPECT_GE(at, 0) << "row " << i << " is missing";
            EXPECT_EQ(all.indexOf(customer, at + 1), -1) << "row " << i << " printed twice";
            EXPECT_GT(at, previous) << "row " << i << " is out of order";
            previous = std::max(previous, at);
        }
    }
    {
        SCOPED_TRACE("rows and an archive name with brackets print as typed");
        writeArchive({{QStringLiteral("Rossi [Bar]")},
                      {QStringLiteral("[DATE] Bianchi")},
                      {QStringLiteral("Verdi [senza fine")}});
        // The same vouchers in an archive of that name, opened as the shop opens it.
        folder.write(QStringLiteral("Negozio [Centro].eur"),
                     folder.read(QStringLiteral("Negozio.eur")));
        test::openEditorOn(*windows, QStringLiteral("Negozio [Centro].eur"));
        const auto made = ed()->makeSearch();
        lists::TfrmTrovaBiglietti& window = *made;
        window.show();
        QApplication::processEvents();
        click(&window, "btnCerca");
        print(window);
        EXPECT_TRUE(desktop.messages.messages.empty()) << "no error box of the engine";
        const QString text = test::pdfPageText(output, 1);
        EXPECT_TRUE(text.contains(QStringLiteral("Buoni acquisto emessi per Negozio [Centro]")))
            << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Rossi [Bar]"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("[DATE] Bianchi"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Verdi [senza fine"))) << text.toStdString();
        EXPECT_TRUE(text.contains(Footer)) << "the footer's own [DATE] still becomes the date";
    }
}

// The template as the list prints it, without a printer.
TEST(ListTemplate, A4LandscapeWithItsThreeBandsAndTextBoxes) {
    const auto report = lists::makeRiepilogoTemplate();
    EXPECT_EQ(report->ReportOptions.Name, QStringLiteral("Riepilogo dati"));
    const TReportPage* page = report->reportPage();
    EXPECT_EQ(page->paperSize(), 9);
    EXPECT_EQ(page->orientation(), poLandscape);
    EXPECT_DOUBLE_EQ(page->paperWidth(), 297);
    EXPECT_DOUBLE_EQ(page->paperHeight(), 210);
    for (double margin : {page->LeftMargin, page->RightMargin, page->TopMargin, page->BottomMargin})
        EXPECT_DOUBLE_EQ(margin, 10);
    auto* memo = report->find<TMemoView>(QStringLiteral("TXTRIEPILOGO"));
    ASSERT_NE(memo, nullptr);
    EXPECT_FALSE(memo->WordWrap);
    EXPECT_EQ(memo->Font.Name, QStringLiteral("Courier New"));
    EXPECT_NEAR(memo->Font.points(), 8, 1e-9);
    auto* footer = report->find<TMemoView>(QStringLiteral("txtPagina"));
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), QStringLiteral("Stampa eseguita in data [DATE]"));
    EXPECT_TRUE(footer->AllowExpressions);

    lists::ListRows rows;
    for (int i = 0; i < 7; ++i)
        rows.append(QStringLiteral("riga %1").arg(i));
    lists::fillListReport(*report, QStringLiteral("Titolo"), rows);
    EXPECT_NEAR(memo->Height, 7 * 12.822, 1e-9);
    EXPECT_NEAR(report->find<TReportBand>(QStringLiteral("MasterData"))->Height, 7 * 12.822 + 10,
                1e-9);
    EXPECT_EQ(memo->Memo.size(), 7);
    EXPECT_EQ(report->find<TMemoView>(QStringLiteral("txtTitolo"))->text(),
              QStringLiteral("Titolo"));
}

} // namespace
