#include "../report_core/Poppler.h"
#include "ReportWindowFixture.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "report/ReportActions.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    EXPECT_EQ(
        desktop.messages.texts(),
        QStringList{QStringLiteral("The file \"%1\" already exists. Replace it?").arg(written())});
    EXPECT_TRUE(bytes().startsWith("%PDF-")) << "Yes replaces it";

    // The name the dialog itself confirmed is not asked about again.
    desktop.messages.clear();
    desktop.files.answers = {written()};
    GetParam().write(list.report);
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'\n').toStdString();
}

INSTANTIATE_TEST_SUITE_P(Outputs, ExistingFile, ::testing::ValuesIn(fileOutputs),
                         [](const auto& row) { return std::string(row.param.name); });

namespace {

// A disk that fills up while the shop prints a list into a file: either no
// block is left but a file can still be made (the data of a new file has no
// room), or nothing is left at all (only a file that is already there could
// be written).
struct FullDiskCase {
    const char* name;
    FileOutput output;
    bool fileEntryLeft;
};

void PrintTo(const FullDiskCase& row, std::ostream* out) {
    *out << row.name;
}

const FullDiskCase fullDisks[] = {
    {"PrintToFileWithoutRoomForData", fileOutputs[0], true},
    {"PrintToFileWithoutAnyRoom", fileOutputs[0], false},
    {"ExportToPdfWithoutRoomForData", fileOutputs[2], true},
    {"ExportToPdfWithoutAnyRoom", fileOutputs[2], false},
};

class OutputOnAFullDisk : public ReportWindows, public ::testing::WithParamInterface<FullDiskCase> {
protected:
    OutputOnAFullDisk() {
        EXPECT_TRUE(list.report.prepare());
        EXPECT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("disco")));
    }

    QString folder() const { return dir.filePath(QStringLiteral("disco")); }
    QString written() const {
        return folder() + u'/' + QString::fromLatin1(GetParam().output.written);
    }
    void write() {
        desktop.files.answers = {folder() + u'/' + QString::fromLatin1(GetParam().output.typed)};
        GetParam().output.write(list.report);
    }
    QByteArray bytes() const {
        QFile file(written());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
    }
    // What the folder holds beside the disk's own fillers.
    QStringList files() const {
        QStringList names;
        for (const QString& name : QDir(folder()).entryList(QDir::Files | QDir::Hidden)) {
            if (name != QStringLiteral("riempitivo") && !name.startsWith(QStringLiteral("vuoto")))
                names << name;
        }
        return names;
    }
    QStringList alerts() const {
        QStringList texts;
        for (const auto& m : desktop.messages.messages) {
            if (m.kind == Kind::Alert && m.type == platform::MessageType::Error)
                texts << m.text;
        }
        return texts;
    }

    QTemporaryDir dir;
    ListTemplate list{150};
};

// The writer's own errors are seen: the engine's box says the file was not
// written, the PDF already there keeps every byte and nothing half-written is
// left beside it; once there is room again the same output gives a whole PDF.
TEST_P(OutputOnAFullDisk, KeepsThePreviousPdfAndSaysSo) {
    test::SmallDisk disk(folder(), 64, 16);
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    write();
    const QByteArray previous = bytes();
    ASSERT_TRUE(previous.startsWith("%PDF-")) << previous.left(40).toStdString();
    ASSERT_TRUE(alerts().isEmpty()) << alerts().join(u'\n').toStdString();
    list.titleText->setText(QStringLiteral("Riepilogo nuovo"));
    ASSERT_TRUE(list.report.prepare());

    ASSERT_TRUE(disk.fill());
    if (GetParam().fileEntryLeft) {
        ASSERT_TRUE(QFile::remove(folder() + QStringLiteral("/vuoto0")));
    }
    desktop.messages.clear();
    write();
    EXPECT_EQ(alerts(),
              QStringList{QStringLiteral("The file \"%1\" could not be written.").arg(written())});
    EXPECT_EQ(bytes().toHex(), previous.toHex()) << "the previous PDF, byte for byte";
    EXPECT_EQ(files(), QStringList{QFileInfo(written()).fileName()}) << "nothing left beside it";

    ASSERT_TRUE(QFile::remove(folder() + QStringLiteral("/riempitivo")));
    desktop.messages.clear();
    write();
    EXPECT_TRUE(alerts().isEmpty()) << alerts().join(u'\n').toStdString();
    EXPECT_EQ(files(), QStringList{QFileInfo(written()).fileName()});
    if (const auto info = poppler(QStringLiteral("pdfinfo"), {written()})) {
        EXPECT_TRUE(info->contains(QStringLiteral("Pages:           3"))) << info->toStdString();
        EXPECT_TRUE(pdfPageText(written(), 1).contains(QStringLiteral("Riepilogo nuovo")));
        EXPECT_TRUE(pdfPageText(written(), 3).contains(QStringLiteral("Line 150")));
    }
}

INSTANTIATE_TEST_SUITE_P(Outputs, OutputOnAFullDisk, ::testing::ValuesIn(fullDisks),
                         test::RowName());

} // namespace
