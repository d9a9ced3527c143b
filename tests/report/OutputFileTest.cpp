#include "ReportWindowFixture.h"
#include "report/ReportActions.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

using namespace scontrix;
using namespace scontrix::report;
using namespace scontrix::test;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

// A way of writing a report into a file the user names: the name typed, the
// file the engine makes of it, and the action that asks for it.
struct FileOutput {
    const char* name;
    const char* typed;
    const char* written;
    std::function<bool(TReport&)> write;
};

void PrintTo(const FileOutput& output, std::ostream* out) {
    *out << output.name;
}

bool printToFile(TReport& report) {
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<TPrintDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            ADD_FAILURE() << "no print dialog";
            return;
        }
        dialog->FileCB->setChecked(true);
        QTest::mouseClick(dialog->OkB, Qt::LeftButton);
    });
    return printReport(report);
}

bool exportFromPreview(TReport& report) {
    TPreviewForm form(report);
    std::unique_ptr<QMenu> menu(form.makeContextMenu());
    for (QAction* action : menu->actions()) {
        if (action->text() == QStringLiteral("Export to PDF")) {
            action->trigger();
            return true;
        }
    }
    ADD_FAILURE() << "no Export to PDF in the preview's menu";
    return false;
}

const FileOutput fileOutputs[] = {
    {"PrintToFile", "lista", "lista.prn", printToFile},
    {"PrintToFileOfAnotherExtension", "lista.txt", "lista.prn", printToFile},
    {"ExportToPdf", "riepilogo", "riepilogo.pdf", exportFromPreview},
};

class ExistingFile : public ReportWindows, public ::testing::WithParamInterface<FileOutput> {
protected:
    ExistingFile() {
        EXPECT_TRUE(list.report.prepare());
        QFile file(written());
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(Kept);
    }

    QString typed() const { return dir.filePath(QString::fromLatin1(GetParam().typed)); }
    QString written() const { return dir.filePath(QString::fromLatin1(GetParam().written)); }
    QByteArray bytes() const {
        QFile file(written());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }

    static constexpr const char* Kept = "the shop's own file";
    QTemporaryDir dir;
    ListTemplate list{150};
};

} // namespace

// The save dialog confirmed only the name typed; the extension added after it
// names another file, which is there already: the user is asked before it goes.
TEST_P(ExistingFile, IsReplacedOnlyWhenTheUserSaysSo) {
    desktop.files.answers = {typed()};
    desktop.messages.confirmAnswers = {false};
    GetParam().write(list.report);
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Confirm);
    EXPECT_EQ(desktop.messages.texts()[0],
              QStringLiteral("The file \"%1\" already exists. Replace it?").arg(written()));
    EXPECT_EQ(bytes(), QByteArray(Kept)) << "No leaves the file as it was";
    EXPECT_TRUE(printSystem.jobs.empty()) << "and nothing goes to the printer instead";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "the print is cancelled";

    desktop.messages.clear();
    desktop.files.answers = {typed()};
    desktop.messages.confirmAnswers = {true};
    GetParam().write(list.report);
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("The file \"%1\" already exists. Replace it?")
                              .arg(written())});
    EXPECT_TRUE(bytes().startsWith("%PDF-")) << "Yes replaces it";

    // The name the dialog itself confirmed is not asked about again.
    desktop.messages.clear();
    desktop.files.answers = {written()};
    GetParam().write(list.report);
    EXPECT_TRUE(desktop.messages.messages.empty()) << desktop.messages.texts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Outputs, ExistingFile, ::testing::ValuesIn(fileOutputs),
                         [](const auto& row) { return std::string(row.param.name); });
