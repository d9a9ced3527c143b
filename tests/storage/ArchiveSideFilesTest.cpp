#include "storage/ArchiveSideFiles.h"

#include "StorageTestSupport.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace scontrix::storage {
namespace {

using test::readFile;
using test::writeFile;

TEST(StorageArchiveSideFiles, NamesFollowTheTrimmedArchiveNameAndPosition) {
    const QString folder = QStringLiteral("/negozi/Scontrix/");
    EXPECT_EQ(settingsPath(folder, QStringLiteral(" Negozio\t")),
              QStringLiteral("/negozi/Scontrix/Negozio.ini"));
    EXPECT_EQ(logoFolder(folder), QStringLiteral("/negozi/Scontrix/Logo_Ditta/"));
    EXPECT_EQ(logoPath(folder, QStringLiteral(" Negozio "), QStringLiteral(" 3\r\n")),
              QStringLiteral("/negozi/Scontrix/Logo_Ditta/Negozio_Foto_3.jpg"));
}

TEST(StorageArchiveSideFiles, SavedDefaultsAreTrimmedAndInTheirOrderEmptyOnesToo) {
    QTemporaryDir dir;
    const QString path = settingsPath(dir.path() + u'/', QStringLiteral("Negozio"));
    ArchiveDefaults defaults;
    defaults[storage::Holds::Place] = QStringLiteral("  Caff\u00e8 Centrale\t");
    defaults[storage::Holds::Conditions] = QStringLiteral("Spesa minima 50 \u20ac\r\n");
    ASSERT_TRUE(saveArchiveDefaults(path, defaults));

    EXPECT_EQ(readFile(path).toStdString(), std::string("[Dati Buono]\r\n"
                                                        "Inizio=\r\n"
                                                        "Scadenza=\r\n"
                                                        "Valore=\r\n"
                                                        "Luogo=Caff\xe8 Centrale\r\n"
                                                        "Condizioni=Spesa minima 50 \x80\r\n"));

    defaults[storage::Holds::ValidFrom] = QStringLiteral("01/03/2024");
    defaults[storage::Holds::Value] = QStringLiteral("25,00");
    ASSERT_TRUE(saveArchiveDefaults(path, defaults));
    const Result<ArchiveDefaults> loaded = loadArchiveDefaults(path);
    ASSERT_TRUE(loaded) << loaded.error().toStdString();
    const ArchiveDefaults& read = *loaded;
    EXPECT_EQ(read[storage::Holds::ValidFrom], QStringLiteral("01/03/2024"));
    EXPECT_EQ(read[storage::Holds::Expiry], QString());
    EXPECT_EQ(read[storage::Holds::Value], QStringLiteral("25,00"));
    EXPECT_EQ(read[storage::Holds::Place], QStringLiteral("Caff\u00e8 Centrale"));
    EXPECT_EQ(read[storage::Holds::Conditions], QStringLiteral("Spesa minima 50 \u20ac"));
}

TEST(StorageArchiveSideFiles, MissingKeysAndFilesReadEmpty) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Negozio.ini"));
    writeFile(path,
              "[Dati Buono]\r\nInizio= 01/03/2024 \r\nScadenza=31/12/2024\r\nValore=25,00\r\n");
    const Result<ArchiveDefaults> loaded = loadArchiveDefaults(path);
    ASSERT_TRUE(loaded) << loaded.error().toStdString();
    const ArchiveDefaults& read = *loaded;
    EXPECT_EQ(read[storage::Holds::ValidFrom], QStringLiteral("01/03/2024"));
    EXPECT_EQ(read[storage::Holds::Expiry], QStringLiteral("31/12/2024"));
    EXPECT_EQ(read[storage::Holds::Value], QStringLiteral("25,00"));
    EXPECT_EQ(read[storage::Holds::Place], QString());
    EXPECT_EQ(read[storage::Holds::Conditions], QString());

    const Result<ArchiveDefaults> missing =
        loadArchiveDefaults(dir.filePath(QStringLiteral("manca.ini")));
    ASSERT_TRUE(missing) << "a missing file is no failure";
    const ArchiveDefaults& none = *missing;
    EXPECT_TRUE(none[storage::Holds::ValidFrom].isEmpty() &&
                none[storage::Holds::Expiry].isEmpty() && none[storage::Holds::Value].isEmpty() &&
                none[storage::Holds::Place].isEmpty() &&
                none[storage::Holds::Conditions].isEmpty());
}

} // namespace
} // namespace scontrix::storage
