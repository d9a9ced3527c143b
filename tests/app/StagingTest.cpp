#include "../report_core/Poppler.h"
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
    const QString text = scontrix::test::poppler(QStringLiteral("pdftotext"), {manual, QStringLiteral("-")})
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
