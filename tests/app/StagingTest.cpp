#include "../report_core/Poppler.h"
#include "ChildProcess.h"
#include "QtPrinters.h"
#include "access/PasswordStore.h"
#include "app/Startup.h"
#include "storage/Result.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeAll(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

bool stage(const QString& folder) {
    QProcess cmake;
    cmake.start(QStringLiteral("cmake"),
                {QStringLiteral("-DSTAGE_DIR=") + folder,
                 QStringLiteral("-DSOURCE_DIR=" SCONTRIX_SOURCE_DIR), QStringLiteral("-P"),
                 QStringLiteral(SCONTRIX_SOURCE_DIR "/scripts/stage.cmake")});
    return cmake.waitForFinished(60000) && cmake.exitCode() == 0;
}

const QString Shipped = QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll");

// The program folder is the shop's installation: staging it again after a
// rebuild must never undo a changed password or touch the shop's files. The
// first-access store is staged under its shipped name and start-up puts it
// into place only in a folder without a store.
TEST(Staging, ShipsTheFirstAccessStoreUnderItsOwnNameAndKeepsTheShopsStore) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Scontrix/");
    ASSERT_TRUE(stage(folder));
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll.dist")), readAll(Shipped));
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("unins000.dll")));

    scontrix::app::placeFirstAccessStore(folder);
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll")), readAll(Shipped));

    const QByteArray changed = "[Accesso]\r\nValore=0011\r\n";
    const QByteArray archive(1055, '\x01');
    writeAll(folder + QStringLiteral("unins000.dll"), changed);
    writeAll(folder + QStringLiteral("Negozio.eur"), archive);

    ASSERT_TRUE(stage(folder));
    scontrix::app::placeFirstAccessStore(folder);
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll")), changed);
    EXPECT_EQ(readAll(folder + QStringLiteral("Negozio.eur")), archive);
    EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll.dist")), readAll(Shipped));
}

// A store that cannot be read must never be "repaired" with the first-access
// one: the shop would silently lose its password. Only a missing store is placed.
TEST(Staging, AnEmptyOrDamagedStoreIsNeverReplaced) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    writeAll(folder + QStringLiteral("unins000.dll.dist"), readAll(Shipped));
    for (const QByteArray& store : {QByteArray(), QByteArray("[Accesso]\r\nValore=ZZ\r\n")}) {
        writeAll(folder + QStringLiteral("unins000.dll"), store);
        scontrix::app::placeFirstAccessStore(folder);
        EXPECT_EQ(readAll(folder + QStringLiteral("unins000.dll")), store);
    }
}

// A shop with two logins, or two stations on one shared folder: the store
// the first start put in place is read by the other account too, and it
// holds the first-access password there.
TEST(Staging, ThePlacedStoreIsReadByAnotherAccount) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) |
                                                      QFile::ReadOther | QFile::ExeOther));
    writeAll(folder + QStringLiteral("unins000.dll.dist"), readAll(Shipped));
    const mode_t previous = ::umask(022); // the usual one of a desktop account
    scontrix::app::placeFirstAccessStore(folder);
    ::umask(previous);
    const QString store = folder + QStringLiteral("unins000.dll");
    ASSERT_TRUE(QFile::exists(store));
    EXPECT_TRUE(QFile::permissions(store) & QFile::ReadOther) << "0666 less the umask";
    EXPECT_FALSE(QFile::permissions(store) & QFile::WriteOther);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 2) << "no temporary left";

    if (::geteuid() != 0)
        GTEST_SKIP() << "reading as another account needs root to become one";
    // The other account: nobody, in a child process.
    const QByteArray expected = readAll(Shipped);
    const int code = scontrix::test::runInChild([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return 3;
        const scontrix::storage::Result<QString> value =
            scontrix::access::PasswordStore(store).readValue();
        if (!value)
            return 1;
        return value->isEmpty() || !expected.contains(value->toLatin1()) ? 2 : 0;
    });
    EXPECT_EQ(code, 0) << "1: the other account cannot read the store, 2: it reads no password";
}

// Without a shipped store start-up goes on and leaves nothing behind.
TEST(Staging, WithoutAShippedStoreNothingIsWritten) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    scontrix::app::placeFirstAccessStore(folder);
    EXPECT_EQ(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList());
}

// The manual the guide window's link opens, as the build stages it.
TEST(Staging, TheManualIsAnA4PdfHoldingEveryChapter) {
    const QString manual = QStringLiteral(SCONTRIX_STAGE_DIR "/Guida.pdf");
    ASSERT_TRUE(QFile::exists(manual));
    const std::optional<QString> info =
        scontrix::test::poppler(QStringLiteral("pdfinfo"), {manual});
    if (!info)
        GTEST_SKIP() << "poppler is not installed";
    EXPECT_TRUE(info->contains(QStringLiteral("(A4)"))) << info->toStdString();

    // A long heading may wrap: blanks and line breaks count alike.
    const QString text =
        scontrix::test::poppler(QStringLiteral("pdftotext"), {manual, QStringLiteral("-")})
            .value_or(QString())
            .simplified();
    const char* const chapters[] = {
        "1. Che cos'è Scontrix",
        "2. La cartella del programma",
        "3. Il primo accesso e la password",
        "4. La schermata iniziale",
        "5. Creare un archivio",
        "6. Aprire ed eliminare un archivio",
        "7. La schermata di lavoro: emettere un buono",
        "8. Stampa e anteprima del buono",
        "9. Ricerca dei buoni e buoni non incassati",
        "10. Esportazione in Excel",
        "11. Backup e trasferimento su un altro computer",
        "12. Messaggi del programma e soluzione dei problemi",
    };
    for (const char* chapter : chapters) {
        // Once in the table of contents, once as the chapter's own heading.
        EXPECT_EQ(text.count(QString::fromUtf8(chapter)), 2) << chapter;
    }
}

} // namespace
