#include "AppFixture.h"
#include "access/TfrmPassword.h"
#include "app/Startup.h"
#include "app/TfrmAvvio.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>

using namespace scontrix;

namespace {

// Every file under `folder`, by its path relative to it, with its bytes.
QMap<QString, QByteArray> snapshot(const QString& folder) {
    QMap<QString, QByteArray> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (f.open(QIODevice::ReadOnly))
            files.insert(QDir(folder).relativeFilePath(path), f.readAll());
    }
    return files;
}

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        ADD_FAILURE() << "cannot write " << path.toStdString();
}

// Runs a command to its end; its output when it fails.
QString run(const QString& program, const QStringList& args, const QString& dir = {},
            const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment()) {
    QProcess p;
    p.setProcessEnvironment(env);
    if (!dir.isEmpty())
        p.setWorkingDirectory(dir);
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(program, args);
    if (!p.waitForFinished(240000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return program + QStringLiteral(" failed: ") + QString::fromLocal8Bit(p.readAll());
    return {};
}

// The package as `make package` writes it, made once for these tests in a
// folder of their own.
class Package : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        workspace = new QTemporaryDir;
        const QString error = run(
            QStringLiteral("cpack"),
            {QStringLiteral("--config"), QStringLiteral(SCONTRIX_BINARY_DIR "/CPackConfig.cmake"),
             QStringLiteral("-B"), workspace->filePath(QStringLiteral("out"))});
        if (!error.isEmpty())
            packageError = new QString(error);
    }
    static void TearDownTestSuite() {
        delete workspace;
        delete packageError;
        workspace = nullptr;
        packageError = nullptr;
    }
    void SetUp() override {
        if (packageError)
            FAIL() << packageError->toStdString();
        const QStringList found =
            QDir(workspace->filePath(QStringLiteral("out")))
                .entryList({QStringLiteral("Scontrix-*-Linux.tar.gz")}, QDir::Files);
        ASSERT_EQ(found.size(), 1) << "no package written";
        tarball = workspace->filePath(QStringLiteral("out/") + found.first());
    }

    // Unpacks the package in `parent`, as the shop does over its installation.
    void unpackInto(const QString& parent) const {
        ASSERT_EQ(run(QStringLiteral("tar"),
                      {QStringLiteral("-xzf"), tarball, QStringLiteral("-C"), parent}),
                  QString());
    }

    static inline QTemporaryDir* workspace = nullptr;
    static inline QString* packageError = nullptr;
    QString tarball;
    QTemporaryDir here;
};

const QByteArray Shipped = readAll(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll"));

TEST_F(Package, HoldsTheProgramFolderAndNothingOfAShop) {
    QProcess tar;
    tar.start(QStringLiteral("tar"), {QStringLiteral("-tzf"), tarball});
    ASSERT_TRUE(tar.waitForFinished(60000));
    QStringList entries =
        QString::fromLocal8Bit(tar.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
    entries.removeAll(QStringLiteral("Scontrix/"));
    entries.sort();
    EXPECT_EQ(entries, (QStringList{QStringLiteral("Scontrix/Guida.pdf"),
                                    QStringLiteral("Scontrix/installa-menu.sh"),
                                    QStringLiteral("Scontrix/scontrix"),
                                    QStringLiteral("Scontrix/scontrix.desktop"),
                                    QStringLiteral("Scontrix/scontrix.svg"),
                                    QStringLiteral("Scontrix/unins000.dll.dist")}));

    unpackInto(here.path());
    const QString folder = here.filePath(QStringLiteral("Scontrix/"));
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll.dist")), Shipped);
    EXPECT_TRUE(readAll(folder + QStringLiteral("Guida.pdf")).startsWith("%PDF"));
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("scontrix")).isExecutable());
    EXPECT_TRUE(QFileInfo(folder + QStringLiteral("installa-menu.sh")).isExecutable());
}

// A new version unpacked over a used installation replaces the program and
// its manual and nothing of the shop: archives, settings, logos, the export,
// the changed password store.
TEST_F(Package, UnpackedOverAUsedFolderLeavesEverythingOfTheShop) {
    const QString folder = here.filePath(QStringLiteral("Scontrix/"));
    const QMap<QString, QByteArray> shop{
        {QStringLiteral("Negozio.eur"), QByteArray(2 * 1055, '\x07')},
        {QStringLiteral("Negozio.ini"), "[Dati Buono]\r\nLuogo=Bar Centrale\r\n"},
        {QStringLiteral("Resi.eur"), QByteArray(1055, '\x03')},
        {QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg"), "\xFF\xD8 a logo"},
        {QStringLiteral("Logo_Ditta/Negozio_Foto_2.jpg"), "\xFF\xD8 another logo"},
        {QStringLiteral("Buoni_Acquisto.xls"), "<html>esportato</html>"},
        {QStringLiteral("unins000.dll"), "[Accesso]\r\nValore=00A1B2\r\n"},
    };
    for (auto it = shop.cbegin(); it != shop.cend(); ++it)
        writeAll(folder + it.key(), it.value());
    writeAll(folder + QStringLiteral("Guida.pdf"), "an old manual");

    unpackInto(here.path());
    scontrix::app::placeFirstAccessStore(folder);

    const QMap<QString, QByteArray> after = snapshot(folder);
    for (auto it = shop.cbegin(); it != shop.cend(); ++it)
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    EXPECT_TRUE(after.value(QStringLiteral("Guida.pdf")).startsWith("%PDF"))
        << "the manual is the new one";
}

// A fresh unpack has no password store until the program first starts; the
// program then places the first-access one, and its password opens the start
// screen.
TEST_F(Package, AFreshUnpackStartsWithTheFirstAccessPassword) {
    unpackInto(here.path());
    const QString folder = here.filePath(QStringLiteral("Scontrix/"));
    ASSERT_FALSE(QFile::exists(folder + QStringLiteral("unins000.dll")));

    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(here.path()); // the program folder is the executable's, not this
    program.start(folder + QStringLiteral("scontrix"), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    for (int waited = 0; waited < 15000 && !QFile::exists(folder + QStringLiteral("unins000.dll"));
         waited += 50)
        QThread::msleep(50);
    const bool stillRunning = program.state() == QProcess::Running;
    program.kill();
    program.waitForFinished(10000);
    EXPECT_TRUE(stillRunning) << "the program ended by itself: "
                              << program.readAllStandardError().toStdString();
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll")), Shipped);

    platform::FixedProgramFolder programFolder(folder);
    platform::ScopedSeam<platform::ProgramFolder> folderGuard(programFolder);
    test::RecordingDesktop desktop;
    app::WindowSet windows;
    windows.setEndHandler([] {});
    windows.start();
    QApplication::processEvents();
    access::TfrmPassword* login = windows.frmPassword();
    test::focus(login->txtPassword);
    QTest::keyClicks(login->txtPassword, QStringLiteral("lucernaviolina"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.messages.texts(), QStringList());
    EXPECT_TRUE(windows.frmAvvio()->isVisible());
    EXPECT_FALSE(login->isVisible());
}

// The menu entry written for the shop's desktop points at the unpacked folder
// itself, whatever its name, and shows the program's icon.
TEST_F(Package, TheMenuEntryPointsAtTheUnpackedProgram) {
    const QString parent = here.filePath(QStringLiteral("Cassa $1 \"centro\""));
    QDir().mkpath(parent);
    unpackInto(parent);
    const QString folder = parent + QStringLiteral("/Scontrix");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_DATA_HOME"), here.filePath(QStringLiteral("data")));
    ASSERT_EQ(run(QStringLiteral("sh"), {folder + QStringLiteral("/installa-menu.sh")}, {}, env),
              QString());

    const QString entry = QString::fromUtf8(
        readAll(here.filePath(QStringLiteral("data/applications/scontrix.desktop"))));
    EXPECT_TRUE(entry.startsWith(QStringLiteral("[Desktop Entry]\n")) ||
                entry.contains(QStringLiteral("\n[Desktop Entry]\n")));
    // Exec quotes the path; inside it " ` $ and \ are escaped, and the entry
    // escapes the backslash once more.
    QString quoted = folder;
    quoted.replace(QStringLiteral("$"), QStringLiteral("\\\\$"))
        .replace(QStringLiteral("\""), QStringLiteral("\\\\\""));
    EXPECT_TRUE(
        entry.contains(QStringLiteral("\nExec=\"") + quoted + QStringLiteral("/scontrix\"\n")))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("\nPath=") + folder + QStringLiteral("\n")))
        << entry.toStdString();
    EXPECT_TRUE(entry.contains(QStringLiteral("\nIcon=scontrix\n")));
    EXPECT_EQ(
        readAll(here.filePath(QStringLiteral("data/icons/hicolor/scalable/apps/scontrix.svg"))),
        readAll(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/artwork/app_icon.svg")));

    ASSERT_EQ(run(QStringLiteral("sh"),
                  {folder + QStringLiteral("/installa-menu.sh"), QStringLiteral("--rimuovi")}, {},
                  env),
              QString());
    EXPECT_FALSE(
        QFile::exists(here.filePath(QStringLiteral("data/applications/scontrix.desktop"))));
}

} // namespace
