#include "ChildProcess.h"
#include "PermissionsApply.h"
#include "TableRows.h"
#include "UnreadableFiles.h"
#include "storage/ArchiveSideFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Something is there under the settings file's name, yet it cannot be read.
// None of it is an empty settings file: the program must neither wait on it
// nor write the five keys over it.
namespace scontrix::storage {
namespace {

const QByteArray Shared = "[Dati Buono]\r\nValore=25,00\r\nLuogo=Bar Centrale\r\n\r\n"
                          "[Cassa]\r\nStampante=Epson\r\n";

class UnreadableSettings : public ::testing::TestWithParam<test::UnreadableCase> {
protected:
    UnreadableSettings() : path_(dir_.filePath(QStringLiteral("Negozio.ini"))) {}

    void SetUp() override {
        if (!GetParam().make(path_, Shared))
            GTEST_SKIP() << "this machine cannot make it here (a device node needs root)";
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_P(UnreadableSettings, SavingTheDefaultsLeavesItAsItWasAndSaysWhy) {
    const test::Seen before = test::look(path_);
    const QString path = path_;
    // In a child: before the fix a FIFO kept open() waiting for ever.
    const int code = test::runInChild([&] {
        const test::PermissionsApply asAUser;
        ArchiveDefaults defaults;
        defaults[storage::Holds::ValidFrom] = QStringLiteral("01/03/2024");
        defaults[storage::Holds::Value] = QStringLiteral("30,00");
        const Result<> saved = saveArchiveDefaults(path, defaults);
        if (saved)
            return 1;
        return saved.error().isEmpty() ? 2 : 0;
    });
    EXPECT_EQ(code, 0) << "1: written over it, 2: no reason given; " << test::ChildCodes;
    EXPECT_TRUE(test::look(path_) == before) << "kind, identity and bytes as they were";
    EXPECT_EQ(QDir(dir_.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              QStringList{QStringLiteral("Negozio.ini")})
        << "no temporary file left beside it";
}

TEST_P(UnreadableSettings, LoadingTheDefaultsFailsWithTheReasonInsteadOfReadingEmpty) {
    const QString path = path_;
    const int code = test::runInChild([&] {
        const test::PermissionsApply asAUser;
        const Result<ArchiveDefaults> read = loadArchiveDefaults(path);
        if (read)
            return 1;
        return read.error().isEmpty() ? 2 : 0;
    });
    EXPECT_EQ(code, 0) << "1: read as empty defaults, 2: no reason given; " << test::ChildCodes;
}

INSTANTIATE_TEST_SUITE_P(SettingsFile, UnreadableSettings, ::testing::ValuesIn(test::Unreadables),
                         test::RowName());

} // namespace
} // namespace scontrix::storage
