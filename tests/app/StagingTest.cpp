#include "QtPrinters.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QByteArray readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool stage(const QString& folder) {
    QProcess cmake;
    cmake.start(QStringLiteral("cmake"),
                {QStringLiteral("-DSTAGE_DIR=") + folder, QStringLiteral("-DSOURCE_DIR=" SCONTRIX_SOURCE_DIR),
                 QStringLiteral("-P"), QStringLiteral(SCONTRIX_SOURCE_DIR "/scripts/stage.cmake")});
    return cmake.waitForFinished(60000) && cmake.exitCode() == 0;
}

// The program folder is the shop's installation: staging it again after a
// rebuild must never undo a changed password or touch the shop's files.
TEST(Staging, PlacesTheFirstAccessStoreOnlyWhenMissing) {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/Scontrix");
    ASSERT_TRUE(stage(folder));
    EXPECT_EQ(readAll(folder + QStringLiteral("/unins000.dll")),
              readAll(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll")));

    const QByteArray changed = "[Accesso]\r\nValore=0011\r\n";
    const QByteArray archive(1055, '\x01');
    QFile store(folder + QStringLiteral("/unins000.dll"));
    ASSERT_TRUE(store.open(QIODevice::WriteOnly));
    store.write(changed);
    store.close();
    QFile eur(folder + QStringLiteral("/Negozio.eur"));
    ASSERT_TRUE(eur.open(QIODevice::WriteOnly));
    eur.write(archive);
    eur.close();

    ASSERT_TRUE(stage(folder));
    EXPECT_EQ(readAll(folder + QStringLiteral("/unins000.dll")), changed);
    EXPECT_EQ(readAll(folder + QStringLiteral("/Negozio.eur")), archive);
}

} // namespace
