#include "platform/ProgramFolder.h"

#include "TableRows.h"
#include "access/Crypt.h"
#include "access/PasswordStore.h"
#include "app/Startup.h"

#include <QFile>
#include <QTemporaryDir>
#include <dirent.h>
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

// The program folder is wherever the shop unpacked the program, under any
// name its system allows: also one whose bytes are not UTF-8, such as a folder
// named on an older desktop with a Latin-1 "è" (the byte E8).
using namespace scontrix;

namespace {

struct FolderRow {
    const char* name;
    QByteArray folderName;
};

void PrintTo(const FolderRow& row, std::ostream* out) {
    *out << row.name;
}

const FolderRow folderRows[] = {
    {"Ascii", "Cassa"},
    {"Utf8", "Cart\xC3\xA8lla"},
    {"Latin1", "Cart\xE8lla"},
    {"Latin1AndUtf8LookAlike", "Cart\xE8lla \xC3\xA8 \xFF"},
};

QByteArray readNative(const QByteArray& path) {
    QByteArray bytes;
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return "(missing)";
    char buffer[4096];
    for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
        bytes.append(buffer, n);
    ::close(fd);
    return bytes;
}

bool writeNative(const QByteArray& path, const QByteArray& bytes) {
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0)
        return false;
    const bool whole = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    return ::close(fd) == 0 && whole;
}

QList<QByteArray> entriesNative(const QByteArray& folder) {
    QList<QByteArray> names;
    if (DIR* dir = ::opendir(folder.constData())) {
        while (const dirent* entry = ::readdir(dir)) {
            const QByteArray name(entry->d_name);
            if (name != "." && name != "..")
                names << name;
        }
        ::closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class ProgramFolderNamed : public ::testing::TestWithParam<FolderRow> {
protected:
    ProgramFolderNamed() : native_(QFile::encodeName(dir_.path()) + '/' + GetParam().folderName) {}
    QTemporaryDir dir_;
    QByteArray native_;
};

// Start-up places the first-access store there and the login reads it back:
// the first-access password is the one the store holds.
TEST_P(ProgramFolderNamed, KeepsItsFirstAccessStore) {
    ASSERT_EQ(::mkdir(native_.constData(), 0755), 0);
    const QByteArray shipped = readNative(SCONTRIX_SOURCE_DIR "/resources/unins000.dll");
    ASSERT_TRUE(shipped.startsWith("[Accesso]"));
    ASSERT_TRUE(writeNative(native_ + "/unins000.dll.dist", shipped));

    const auto folder = platform::ProgramFolder::ofNativePath(native_);
    ASSERT_TRUE(folder->path().endsWith(u'/'));
    app::placeFirstAccessStore(folder->path());
    EXPECT_EQ(readNative(native_ + "/unins000.dll"), shipped) << "placed in the folder itself";
    EXPECT_EQ(entriesNative(native_), (QList<QByteArray>{"unins000.dll", "unins000.dll.dist"}))
        << "nothing else, nowhere else";
    EXPECT_EQ(entriesNative(QFile::encodeName(dir_.path())),
              QList<QByteArray>{GetParam().folderName});

    const access::PasswordStore store(folder->path() + access::PasswordStore::FileName);
    const storage::Result<QString> value = store.readValue();
    ASSERT_TRUE(value) << value.error().toStdString();
    const std::optional<QString> password = access::Crypt::Unscramble(*value);
    ASSERT_TRUE(password.has_value());
    EXPECT_EQ(*password, access::Crypt::Normalise(QStringLiteral("lucernaviolina")));

    // What the program writes there lands there too.
    QFile archive(folder->path() + QStringLiteral("Negozio.eur"));
    ASSERT_TRUE(archive.open(QIODevice::WriteOnly | QIODevice::NewOnly));
    archive.close();
    EXPECT_EQ(readNative(native_ + "/Negozio.eur"), QByteArray());
}

// The path names that very folder; a name text can hold is used as it is.
TEST_P(ProgramFolderNamed, NamesThatVeryFolder) {
    ASSERT_EQ(::mkdir(native_.constData(), 0755), 0);
    // The path holds as long as the folder object does, that is for the run.
    const auto programFolder = platform::ProgramFolder::ofNativePath(native_);
    const QString path = programFolder->path();
    struct stat folder {};
    struct stat named {};
    ASSERT_EQ(::stat(native_.constData(), &folder), 0);
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &named), 0) << path.toStdString();
    EXPECT_EQ(named.st_dev, folder.st_dev);
    EXPECT_EQ(named.st_ino, folder.st_ino);
    const QString text = QFile::decodeName(native_);
    if (QFile::encodeName(text) == native_) {
        EXPECT_EQ(path, text + u'/');
    }
}

INSTANTIATE_TEST_SUITE_P(Folders, ProgramFolderNamed, ::testing::ValuesIn(folderRows),
                         test::RowName());

} // namespace
