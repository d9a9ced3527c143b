#include "../report_core/Poppler.h"
#include "ReportWindowFixture.h"
#include "report/ReportActions.h"
#include "report/TPrintDialog.h"
#include "report/TPropertiesDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>

using namespace scontrix;
using namespace scontrix::report;
using namespace scontrix::test;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

QStringList itemsOf(const QComboBox* box) {
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

class Printing : public ReportWindows {
protected:
    Printing() { EXPECT_TRUE(list.report.prepare()); }

    // Prints through the dialog, doing `choose` in it and then pressing OK.
    bool printWith(std::function<void(TPrintDialog*)> choose, int currentPage = 0) {
        whenModal<TPrintDialog>([choose](TPrintDialog* dialog) {
            choose(dialog);
            QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        });
        return printReport(list.report, nullptr, currentPage);
    }

    QList<int> printedPages(size_t job = 0) const {
        return job < printSystem.jobs.size() ? printSystem.jobs[job].target->pages : QList<int>{};
    }

    ListTemplate list{150}; // three pages
};

} // namespace

TEST_F(Printing, WithoutPrintersNothingOpens) {
    printSystem.installed.clear();
    TPrinterList::reload();
    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened = true;
            w->close();
        }
    });
    EXPECT_FALSE(printReport(list.report));
    EXPECT_FALSE(opened);
    ASSERT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("You have no printers installed")});
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Alert);
    EXPECT_EQ(desktop.messages.messages[0].type, platform::MessageType::Error);
    QApplication::processEvents();
}

TEST_F(Printing, APrinterThatCannotBeUsedPrintsNothing) {
    printSystem.unusable = {QStringLiteral("Laser")};
    list.report.PrintOptions.ShowDialog = false;
    EXPECT_FALSE(printReport(list.report)) << "nothing was printed, and the caller is told";
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("Printer selected is not valid")});
    EXPECT_TRUE(printSystem.jobs.empty());
}

TEST_F(Printing, DialogShowsTheOptionsAndTheCurrentPrinter) {
    list.report.PrintOptions.Collate = false;
    list.report.PrintOptions.Reverse = true;
    list.report.PrintOptions.PrintPages = ppEven;
    list.report.PrintOptions.Duplex = dmHorizontal;
    whenModal<TPrintDialog>([](TPrintDialog* d) {
        EXPECT_EQ(d->windowTitle(), QStringLiteral("Print"));
        EXPECT_EQ(d->size(), QSize(557, 333));
        EXPECT_EQ(d->PrinterGroup->title(), QStringLiteral("Printer"));
        EXPECT_EQ(itemsOf(d->PrinterCB),
                  (QStringList{QStringLiteral("Office"), QStringLiteral("Laser")}));
        EXPECT_EQ(d->PrinterCB->currentText(), QStringLiteral("Laser")) << "the system's default";
        EXPECT_EQ(d->WhereL->text(), QStringLiteral("Hall"));
        EXPECT_EQ(d->PropButton->text(), QStringLiteral("Properties..."));
        EXPECT_EQ(d->FileCB->text(), QStringLiteral("Print to file"));
        EXPECT_FALSE(d->FileCB->isChecked());
        EXPECT_EQ(d->PagesGroup->title(), QStringLiteral("Pages"));
        EXPECT_TRUE(d->AllRB->isChecked());
        EXPECT_EQ(d->CurPageRB->text(), QStringLiteral("Current page"));
        EXPECT_FALSE(d->CurPageRB->isEnabled()) << "no preview, no current page";
        EXPECT_EQ(d->PageNumbersRB->text(), QStringLiteral("Pages:"));
        EXPECT_EQ(d->DescrL->text(), QStringLiteral("Enter page numbers and/or page ranges, "
                                                    "separated by commas. For example, 1,3,5-12"));
        EXPECT_EQ(d->CopiesGroup->title(), QStringLiteral("Copies"));
        EXPECT_EQ(d->CopiesE->text(), QStringLiteral("1"));
        EXPECT_EQ(d->CollateCB->text(), QStringLiteral("Collate"));
        EXPECT_FALSE(d->CollateCB->isChecked());
        EXPECT_EQ(d->OtherGroup->title(), QStringLiteral("Other"));
        EXPECT_EQ(itemsOf(d->PrintPagesCB),
                  (QStringList{QStringLiteral("All pages"), QStringLiteral("Odd pages"),
                               QStringLiteral("Even pages")}));
        EXPECT_EQ(d->PrintPagesCB->currentText(), QStringLiteral("Even pages"));
        EXPECT_EQ(itemsOf(d->OrderCB),
                  (QStringList{QStringLiteral("Direct (1-9)"), QStringLiteral("Reverse (9-1)")}));
        EXPECT_EQ(d->OrderCB->currentText(), QStringLiteral("Reverse (9-1)"));
        EXPECT_EQ(itemsOf(d->DuplexCB),
                  (QStringList{QStringLiteral("Default"), QStringLiteral("Vertical"),
                               QStringLiteral("Horizontal"), QStringLiteral("Simplex")}));
        EXPECT_EQ(d->DuplexCB->currentText(), QStringLiteral("Horizontal"));
        EXPECT_EQ(d->PrintModeGroup->title(), QStringLiteral("Print mode"));
        EXPECT_FALSE(d->PrintModeGroup->isEnabled());
        EXPECT_EQ(d->PrintModeCB->currentText(), QStringLiteral("Default"));
        EXPECT_EQ(d->OkB->text(), QStringLiteral("OK"));
        EXPECT_TRUE(d->OkB->isDefault());
        EXPECT_EQ(d->CancelB->text(), QStringLiteral("Cancel"));
        QTest::mouseClick(d->CancelB, Qt::LeftButton);
    });
    EXPECT_FALSE(printReport(list.report));
    EXPECT_TRUE(printSystem.jobs.empty());

    list.report.PrintOptions.PageNumbers = QStringLiteral("2-");
    whenModal<TPrintDialog>([](TPrintDialog* d) {
        EXPECT_TRUE(d->PageNumbersRB->isChecked());
        EXPECT_EQ(d->PageNumbersE->text(), QStringLiteral("2-"));
        d->reject();
    });
    EXPECT_FALSE(printReport(list.report));
}

TEST_F(Printing, APrinterChosenInOnePrintIsPreselectedInTheNext) {
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        d->PrinterCB->setCurrentIndex(0);
        EXPECT_EQ(d->WhereL->text(), QStringLiteral("Room 1")) << "its place shows at once";
    }));
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    EXPECT_EQ(printSystem.jobs[0].printer, QStringLiteral("Office"));

    // Choosing another and cancelling brings the chosen one back.
    whenModal<TPrintDialog>([](TPrintDialog* d) {
        EXPECT_EQ(d->PrinterCB->currentText(), QStringLiteral("Office"));
        d->PrinterCB->setCurrentIndex(1);
        QTest::mouseClick(d->CancelB, Qt::LeftButton);
    });
    EXPECT_FALSE(printReport(list.report));

    EXPECT_TRUE(printWith(
        [](TPrintDialog* d) { EXPECT_EQ(d->PrinterCB->currentText(), QStringLiteral("Office")); }));
    EXPECT_EQ(printSystem.jobs.back().printer, QStringLiteral("Office"));

    // A template naming a printer selects it, whatever the letter case.
    list.report.PrintOptions.Printer = QStringLiteral("LASER");
    EXPECT_TRUE(printWith(
        [](TPrintDialog* d) { EXPECT_EQ(d->PrinterCB->currentText(), QStringLiteral("Laser")); }));
}

TEST_F(Printing, ChoicesApplyToThisPrintOnly) {
    const TPrintOptions before = list.report.PrintOptions;
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        d->PageNumbersRB->setChecked(true);
        d->PageNumbersE->setText(QStringLiteral("3,1"));
        d->CopiesE->setText(QStringLiteral("2"));
        d->CollateCB->setChecked(true);
        d->DuplexCB->setCurrentIndex(1);
        d->OrderCB->setCurrentIndex(1);
    }));
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    const RecordingTarget& job = *printSystem.jobs[0].target;
    EXPECT_EQ(job.pages, (QList<int>{1, 3, 1, 3})) << "3,1 reversed, two collated copies";
    EXPECT_EQ(job.job.duplex, dmVertical);
    EXPECT_EQ(job.job.documentName, QStringLiteral("Riepilogo dati"));
    EXPECT_EQ(list.report.PrintOptions, before) << "the options are as before the print";

    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        d->CopiesE->setText(QStringLiteral(" 2 "));
        d->CollateCB->setChecked(false);
    }));
    EXPECT_EQ(printedPages(1), (QList<int>{1, 2, 3}));
    EXPECT_EQ(printSystem.jobs[1].target->job.deviceCopies, 2) << "the printer repeats each page";
}

TEST_F(Printing, CopiesMustBeAWholeNumber) {
    for (const char* typed : {"2x", "0", "", "1.5", "-1", "10000"}) {
        SCOPED_TRACE(typed);
        desktop.messages.clear();
        const QString text = QString::fromLatin1(typed);
        whenModal<TPrintDialog>([this, text](TPrintDialog* d) {
            d->CopiesE->setText(text);
            QTest::mouseClick(d->OkB, Qt::LeftButton);
            EXPECT_EQ(desktop.messages.texts(),
                      QStringList{QStringLiteral(
                          "The number of copies must be a whole number from 1 to 9999.")});
            EXPECT_TRUE(d->isVisible()) << "the dialog stays open to correct it";
            QTest::mouseClick(d->CancelB, Qt::LeftButton);
        });
        EXPECT_FALSE(printReport(list.report));
        EXPECT_TRUE(printSystem.jobs.empty());
    }
}

TEST_F(Printing, APageListMustBeWellFormed) {
    whenModal<TPrintDialog>([this](TPrintDialog* d) {
        QTest::keyClicks(d->PageNumbersE, QStringLiteral("1-2-3"));
        EXPECT_TRUE(d->PageNumbersRB->isChecked()) << "typing a list chooses it";
        QTest::mouseClick(d->OkB, Qt::LeftButton);
        EXPECT_EQ(desktop.messages.texts(), QStringList{d->DescrL->text()});
        EXPECT_TRUE(d->isVisible());
        d->PageNumbersE->setText(QStringLiteral("2-"));
        QTest::mouseClick(d->OkB, Qt::LeftButton);
    });
    EXPECT_TRUE(printReport(list.report));
    EXPECT_EQ(printedPages(), (QList<int>{2, 3}));
}

TEST_F(Printing, CurrentPageOfThePreview) {
    EXPECT_TRUE(printWith(
        [](TPrintDialog* d) {
            EXPECT_TRUE(d->CurPageRB->isEnabled());
            d->CurPageRB->setChecked(true);
        },
        2));
    EXPECT_EQ(printedPages(), QList<int>{2});
}

TEST_F(Printing, PrintToFileWritesThePdfIntoAPrnFile) {
    QTemporaryDir dir;
    desktop.files.answers = {dir.filePath(QStringLiteral("lista.txt"))};
    EXPECT_TRUE(printWith([](TPrintDialog* d) { d->FileCB->setChecked(true); }));
    ASSERT_EQ(desktop.files.requests.size(), 1u);
    EXPECT_TRUE(desktop.files.requests[0].save);
    EXPECT_EQ(desktop.files.requests[0].title, QStringLiteral("Print to file"));
    EXPECT_EQ(desktop.files.requests[0].filters, QStringLiteral("Printer file (*.prn)"));
    EXPECT_TRUE(printSystem.jobs.empty()) << "no printer job";
    QFile prn(dir.filePath(QStringLiteral("lista.prn")));
    ASSERT_TRUE(prn.open(QIODevice::ReadOnly)) << "the extension becomes .prn";
    const QByteArray pdf = prn.readAll();
    EXPECT_TRUE(pdf.startsWith("%PDF-"));
    if (const auto info = poppler(QStringLiteral("pdfinfo"), {prn.fileName()})) {
        EXPECT_TRUE(info->contains(QStringLiteral("Pages:           3"))) << info->toStdString();
    }

    // Cancelling the file dialog cancels the print.
    desktop.files.answers.clear();
    EXPECT_FALSE(printWith([](TPrintDialog* d) { d->FileCB->setChecked(true); }));
    EXPECT_TRUE(printSystem.jobs.empty());
}

namespace {

PrinterOption option(const char* name, const char* text, const char* defaultChoice,
                     std::initializer_list<std::pair<const char*, const char*>> choices) {
    PrinterOption o{QString::fromLatin1(name),
                    QString::fromLatin1(text),
                    {},
                    QString::fromLatin1(defaultChoice)};
    for (const auto& [value, label] : choices)
        o.choices.push_back({QString::fromLatin1(value), QString::fromLatin1(label)});
    return o;
}

// The printers' own options; the tests answer the Properties dialog from here.
class Properties : public Printing {
protected:
    Properties() {
        printSystem.options[QStringLiteral("Laser")] = {
            option("InputSlot", "Paper Source", "Tray1",
                   {{"Tray1", "Tray 1"}, {"Tray2", "Tray 2"}}),
            option(
                "Duplex", "Double-Sided Printing", "None",
                {{"None", "Off"}, {"DuplexNoTumble", "Long Edge"}, {"DuplexTumble", "Short Edge"}}),
            option("MediaType", "Media Type", "Plain", {{"Plain", "Plain"}, {"Glossy", "Glossy"}})};
        printSystem.options[QStringLiteral("Office")] = {
            option("InputSlot", "Paper Source", "Upper", {{"Upper", "Upper"}, {"Lower", "Lower"}})};
    }

    // Clicks "Properties..." in the print dialog and does `step` in the
    // Properties dialog that opens.
    static void properties(TPrintDialog* dialog, std::function<void(TPropertiesDialog*)> step) {
        whenModal<TPropertiesDialog>(std::move(step));
        QTest::mouseClick(dialog->PropButton, Qt::LeftButton);
    }

    static void choose(TPropertiesDialog* p, const char* optionName, const char* value) {
        QComboBox* box = p->findChild<QComboBox*>(QString::fromLatin1(optionName));
        ASSERT_NE(box, nullptr) << optionName;
        const int index = box->findData(QString::fromLatin1(value));
        ASSERT_GE(index, 0) << value;
        box->setCurrentIndex(index);
    }

    static QString shown(TPropertiesDialog* p, const char* optionName) {
        QComboBox* box = p->findChild<QComboBox*>(QString::fromLatin1(optionName));
        return box ? box->currentText() : QStringLiteral("(missing)");
    }
};

} // namespace

TEST_F(Properties, AChoiceMadeThereReachesTheJob) {
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        properties(d, [](TPropertiesDialog* p) {
            EXPECT_EQ(p->windowTitle(), QStringLiteral("Properties"));
            EXPECT_EQ(p->PrinterL->text(), QStringLiteral("Printer: Laser"));
            EXPECT_EQ(shown(p, "InputSlot"), QStringLiteral("Tray 1")) << "the printer's default";
            EXPECT_EQ(shown(p, "MediaType"), QStringLiteral("Plain"));
            EXPECT_EQ(shown(p, "Duplex"), QStringLiteral("Off"));
            EXPECT_FALSE(p->NoOptionsL->isVisible());
            choose(p, "InputSlot", "Tray2");
            choose(p, "Duplex", "DuplexNoTumble");
            QTest::mouseClick(p->OkB, Qt::LeftButton);
        });
        EXPECT_EQ(d->DuplexCB->currentText(), QStringLiteral("Vertical"))
            << "the driver's duplex is the Duplex box";

        // Opened again, it shows what was chosen; Cancel keeps it.
        properties(d, [](TPropertiesDialog* p) {
            EXPECT_EQ(shown(p, "InputSlot"), QStringLiteral("Tray 2"));
            EXPECT_EQ(shown(p, "Duplex"), QStringLiteral("Long Edge"));
            choose(p, "MediaType", "Glossy");
            QTest::mouseClick(p->CancelB, Qt::LeftButton);
        });
    }));
    EXPECT_EQ(printSystem.optionsAskedFor,
              (QStringList{QStringLiteral("Laser"), QStringLiteral("Laser")}));
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    const PrintJobSettings& job = printSystem.jobs[0].target->job;
    EXPECT_EQ(job.printerSettings,
              (QList<TPrinterSetting>{{QStringLiteral("InputSlot"), QStringLiteral("Tray2")}}))
        << "only what differs from the printer's defaults; duplex goes its own way";
    EXPECT_EQ(job.duplex, dmVertical);
    EXPECT_TRUE(list.report.PrintOptions.PrinterSettings.isEmpty()) << "for that print only";

    // The next print starts from the printer's defaults again.
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        properties(d, [](TPropertiesDialog* p) {
            EXPECT_EQ(shown(p, "InputSlot"), QStringLiteral("Tray 1"));
            QTest::mouseClick(p->OkB, Qt::LeftButton);
        });
        EXPECT_EQ(d->DuplexCB->currentText(), QStringLiteral("Default"))
            << "an untouched duplex leaves the box alone";
    }));
    EXPECT_TRUE(printSystem.jobs[1].target->job.printerSettings.isEmpty());
    EXPECT_EQ(printSystem.jobs[1].target->job.duplex, dmDefault);
}

TEST_F(Properties, ChangingPrinterDropsTheOtherPrintersChoices) {
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        properties(d, [](TPropertiesDialog* p) {
            choose(p, "InputSlot", "Tray2");
            choose(p, "MediaType", "Glossy");
            QTest::mouseClick(p->OkB, Qt::LeftButton);
        });
        d->PrinterCB->setCurrentIndex(0);
        properties(d, [](TPropertiesDialog* p) {
            EXPECT_EQ(p->PrinterL->text(), QStringLiteral("Printer: Office"));
            EXPECT_EQ(shown(p, "InputSlot"), QStringLiteral("Upper"));
            EXPECT_EQ(p->findChild<QComboBox*>(QStringLiteral("MediaType")), nullptr);
            QTest::mouseClick(p->OkB, Qt::LeftButton);
        });
    }));
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    EXPECT_EQ(printSystem.jobs[0].printer, QStringLiteral("Office"));
    EXPECT_TRUE(printSystem.jobs[0].target->job.printerSettings.isEmpty());
}

TEST_F(Properties, APrinterWithoutOptionsSaysSo) {
    printSystem.options.clear();
    EXPECT_TRUE(printWith([](TPrintDialog* d) {
        properties(d, [](TPropertiesDialog* p) {
            EXPECT_TRUE(p->NoOptionsL->isVisible());
            EXPECT_EQ(p->NoOptionsL->text(),
                      QStringLiteral("This printer has no settings of its own."));
            QTest::mouseClick(p->OkB, Qt::LeftButton);
        });
    }));
    EXPECT_TRUE(printSystem.jobs[0].target->job.printerSettings.isEmpty());
}

TEST_F(Printing, PreparationErrorsShowInTheEnginesBox) {
    auto* orphan = list.page->add<TReportFooter>(QStringLiteral("Orphan"));
    orphan->Top = -5;
    list.body->addLine(QStringLiteral("Per: [Rossi]"));
    EXPECT_FALSE(prepareReport(list.report));
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].type, platform::MessageType::Error);
    EXPECT_EQ(desktop.messages.texts()[0], QStringLiteral("The following error(s) have occured:\n"
                                                          "Unconnected header/footer Orphan\n"
                                                          "txtRiepilogo: Unknown name \"Rossi\""));

    bool opened = false;
    QTimer::singleShot(0, [&] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            opened = true;
            w->close();
        }
    });
    showReport(list.report);
    EXPECT_FALSE(opened) << "no preview after a failed preparation";
    EXPECT_EQ(desktop.messages.messages.size(), 2u);
    QApplication::processEvents();
}

TEST_F(Printing, AReportThatDidNotPrepareIsNotPrinted) {
    const auto printOpensNothing = [this](TReport& report) {
        bool opened = false;
        QTimer::singleShot(0, [&opened] {
            if (QWidget* w = QApplication::activeModalWidget()) {
                opened = true;
                w->close();
            }
        });
        EXPECT_FALSE(printReport(report));
        EXPECT_FALSE(opened) << "no print dialog for a print of nothing";
        EXPECT_TRUE(printSystem.jobs.empty());
        QApplication::processEvents();
    };

    // Failed: its own box, then printing says it prints nothing.
    list.body->addLine(QStringLiteral("Per: [Rossi]"));
    EXPECT_FALSE(prepareReport(list.report));
    printOpensNothing(list.report);
    ASSERT_EQ(desktop.messages.messages.size(), 2u);
    EXPECT_EQ(desktop.messages.texts()[1],
              QStringLiteral("The report could not be prepared: nothing was printed."));
    EXPECT_EQ(desktop.messages.messages[1].kind, Kind::Alert);
    EXPECT_EQ(desktop.messages.messages[1].type, platform::MessageType::Error);

    // Never prepared: no page at all.
    desktop.messages.clear();
    ListTemplate unprepared(10);
    printOpensNothing(unprepared.report);
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("The report has no pages: nothing was printed.")});
}
