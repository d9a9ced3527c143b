#include "ReportWindowFixture.h"
#include "report/ReportActions.h"
#include "report/TPrintDialog.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace scontrix;
using namespace scontrix::report;
using namespace scontrix::test;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

// One way into a box of the engine: what brings it up and the text it shows.
struct EngineBox {
    const char* name;
    std::function<void(ListTemplate&, RecordingPrintSystem&, RecordingDesktop&)> provoke;
    QString text;
};

void PrintTo(const EngineBox& box, std::ostream* out) {
    *out << box.name;
}

// Presses OK in the print dialog after `choose`, then cancels it if a check
// kept it open.
void printWith(ListTemplate& list, std::function<void(TPrintDialog*)> choose) {
    QTimer::singleShot(0, [choose] {
        auto* dialog = qobject_cast<TPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no print dialog";
            return;
        }
        choose(dialog);
        QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        if (dialog->isVisible())
            QTest::mouseClick(dialog->CancelB, Qt::LeftButton);
    });
    printReport(list.report);
}

QTemporaryDir& scratch() {
    static QTemporaryDir dir;
    return dir;
}

const EngineBox engineBoxes[] = {
    {"NoPrinterInstalled",
     [](ListTemplate& list, RecordingPrintSystem& system, RecordingDesktop&) {
         system.installed.clear();
         TPrinterList::reload();
         printReport(list.report);
     },
     QStringLiteral("You have no printers installed")},
    {"PrinterNotUsable",
     [](ListTemplate& list, RecordingPrintSystem& system, RecordingDesktop&) {
         system.unusable = {QStringLiteral("Laser")};
         list.report.PrintOptions.ShowDialog = false;
         printReport(list.report);
     },
     QStringLiteral("Printer selected is not valid")},
    {"CopiesNotAWholeNumber",
     [](ListTemplate& list, RecordingPrintSystem&, RecordingDesktop&) {
         printWith(list, [](TPrintDialog* d) { d->CopiesE->setText(QStringLiteral("two")); });
     },
     QStringLiteral("The number of copies must be a whole number from 1 to 9999.")},
    {"PageListMalformed",
     [](ListTemplate& list, RecordingPrintSystem&, RecordingDesktop&) {
         printWith(list, [](TPrintDialog* d) {
             QTest::keyClicks(d->PageNumbersE, QStringLiteral("1--2"));
         });
     },
     QStringLiteral("Enter page numbers and/or page ranges, separated by commas. For example, "
                    "1,3,5-12")},
    {"PreparationFailed",
     [](ListTemplate& list, RecordingPrintSystem&, RecordingDesktop&) {
         list.body->addLine(QStringLiteral("[Nobody]"));
         prepareReport(list.report);
     },
     QStringLiteral("The following error(s) have occured:\ntxtRiepilogo: Unknown name \"Nobody\"")},
    {"FileNotWritten",
     [](ListTemplate& list, RecordingPrintSystem&, RecordingDesktop& desktop) {
         desktop.files.answers = {scratch().filePath(QStringLiteral("no/such/folder/lista.prn"))};
         printWith(list, [](TPrintDialog* d) { d->FileCB->setChecked(true); });
     },
     QStringLiteral("The file \"%1\" could not be written.")
         .arg(scratch().filePath(QStringLiteral("no/such/folder/lista.prn")))},
};

class EngineBoxes : public ReportWindows, public ::testing::WithParamInterface<EngineBox> {
protected:
    EngineBoxes() { EXPECT_TRUE(list.report.prepare()); }
    ListTemplate list{150};
};

} // namespace

// The engine's boxes carry one OK button, unlike the program's own typed
// messages, which also offer Cancel.
TEST_P(EngineBoxes, ShowOneErrorBoxWithOk) {
    GetParam().provoke(list, printSystem, desktop);
    ASSERT_EQ(desktop.messages.texts(), QStringList{GetParam().text});
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Alert);
    EXPECT_EQ(desktop.messages.messages[0].type, platform::MessageType::Error);
    QApplication::processEvents();
}

INSTANTIATE_TEST_SUITE_P(Paths, EngineBoxes, ::testing::ValuesIn(engineBoxes),
                         [](const auto& row) { return std::string(row.param.name); });

// The desktop's own box of that kind: the error icon and a single OK.
TEST(DesktopAlert, HasTheIconOfItsTypeAndOneOkButton) {
    const std::unique_ptr<platform::MessageBoxes> real = platform::MessageBoxes::makeReal();
    QStringList buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString text;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            ADD_FAILURE() << "no message box";
            if (QWidget* other = QApplication::activeModalWidget())
                other->close();
            return;
        }
        for (QAbstractButton* button : box->buttons())
            buttons << button->text();
        icon = box->icon();
        text = box->text();
        QTest::mouseClick(box->buttons().constFirst(), Qt::LeftButton);
    });
    real->alert(nullptr, platform::MessageType::Error,
                QStringLiteral("Printer selected is not valid"));
    EXPECT_EQ(buttons, QStringList{QStringLiteral("OK")});
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(text, QStringLiteral("Printer selected is not valid"));
}
