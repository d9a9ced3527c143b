#include "access/PasswordStore.h"

#include "ChildProcess.h"
#include "PermissionsApply.h"
#include "TableRows.h"
#include "UnreadableFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// Something that cannot be read stands where the password store should be.
// Reading it must neither wait on it nor pretend it is empty, and a new
// password must not be written over it.
using namespace scontrix;

namespace {

const QByteArray Store = "[Accesso]\r\nValore=5EA7\r\n[Altro]\r\nChiave=1\r\n";

class UnreadableStore : public ::testing::TestWithParam<test::UnreadableCase> {
protected:
    UnreadableStore() : path_(dir_.filePath(access::PasswordStore::FileName)) {}

    void SetUp() override {
        if (!GetParam().make(path_, Store))
            GTEST_SKIP() << "this machine cannot make it here (a device node needs root)";
    }

    QTemporaryDir dir_;
    QString path_;
};

TEST_P(UnreadableStore, IsNeitherWaitedOnNorWrittenOver) {
    const test::Seen before = test::look(path_);
    const QString path = path_;
    // In a child: a FIFO could keep open() waiting for ever.
    const int code = test::runInChild([&] {
        const test::PermissionsApply asAUser;
        const access::PasswordStore store(path);
        const storage::Result<QString> value = store.readValue();
        if (value)
            return 2;
        if (value.error().isEmpty())
            return 3;
        return store.writeValue(QStringLiteral("00")) ? 1 : 0;
    });
    EXPECT_EQ(code, 0) << "1: a new password written over it, 2: read as a store, 3: no reason "
                          "given; "
                       << test::ChildCodes;
    EXPECT_TRUE(test::look(path_) == before) << "kind, identity and bytes as they were";
    EXPECT_EQ(QDir(dir_.path())
                  .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System),
              QStringList{access::PasswordStore::FileName})
        << "no temporary file left beside it";
}

INSTANTIATE_TEST_SUITE_P(PasswordStore, UnreadableStore, ::testing::ValuesIn(test::Unreadables),
                         test::RowName());

} // namespace
