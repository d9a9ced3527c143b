#include "storage/ArchiveFile.h"

#include "StorageTestSupport.h"
#include "WriteFailure.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace scontrix::storage {
namespace {

using test::numberedArchive;
using test::numberedVoucher;
using test::readFile;
using test::writeFile;

class StorageArchiveFile : public ::testing::Test {
protected:
    QString path(const QString& name = QStringLiteral("Negozio.eur")) const {
        return dir_.filePath(name);
    }
    QTemporaryDir dir_;
};

// Whole records are counted and read; the bytes of an incomplete last record
// never are, and no operation touches them.
TEST_F(StorageArchiveFile, CountsScansAndReadsOnlyWholeRecords) {
    struct Case {
        int size;
        qint64 count;
    };
    const Case cases[] = {{0, 0}, {1054, 0}, {1055, 1}, {2110, 2}, {2200, 2}, {3 * 1055 + 1, 3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.size);
        QByteArray content = numberedArchive(static_cast<int>(c.count));
        content.append(c.size - content.size(), '\xAA');
        writeFile(path(), content);

        ArchiveFile archive;
        const Result<> opened = archive.open(path());
        ASSERT_TRUE(opened) << opened.error().toStdString();
        EXPECT_EQ(archive.count(), c.count);

        QStringList scanned;
        ASSERT_TRUE(archive.scan([&](qint64 position, const char* record) {
            EXPECT_EQ(position, scanned.size() + 1);
            scanned.append(VoucherRecord::field(record, VoucherRecord::Field::Num));
            return true;
        }));
        EXPECT_TRUE(archive.endReached());

        // The same by reading one record at a time from the start.
        QStringList read;
        ASSERT_TRUE(archive.seek(0));
        while (!archive.endReached()) {
            const auto record = archive.read();
            ASSERT_TRUE(record.has_value()) << record.error().toStdString();
            EXPECT_EQ(archive.position(), read.size() + 1);
            read.append(record->num);
        }
        QStringList expected;
        for (int number = 1; number <= c.count; ++number)
            expected.append(QString::number(number));
        EXPECT_EQ(scanned, expected);
        EXPECT_EQ(read, expected);

        // Reading at or beyond the count fails; seeking beyond it fails too.
        const Result<VoucherRecord> pastTheEnd = archive.read();
        EXPECT_FALSE(pastTheEnd.has_value());
        EXPECT_FALSE(pastTheEnd.error().isEmpty());
        EXPECT_TRUE(archive.seek(c.count));
        EXPECT_FALSE(archive.read().has_value());
        EXPECT_FALSE(archive.seek(c.count + 1));
        archive.close();
        EXPECT_EQ(readFile(path()), content);
    }
}

TEST_F(StorageArchiveFile, ScanCrossesBlockBoundariesAndCanStopEarly) {
    const int records = 2 * ArchiveFile::ScanBlockRecords + 452;
    writeFile(path(), numberedArchive(records) + QByteArray(500, '\x01'));

    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));
    qint64 visited = 0;
    ASSERT_TRUE(archive.scan([&](qint64 position, const char* record) {
        ++visited;
        EXPECT_EQ(position, visited);
        EXPECT_EQ(QByteArray(record, VoucherRecord::Size),
                  numberedVoucher(static_cast<int>(position)).toBytes())
            << "position " << position;
        return true;
    }));
    EXPECT_EQ(visited, records);

    visited = 0;
    ASSERT_TRUE(archive.scan([&](qint64 position, const char*) {
        visited = position;
        return position < 1500;
    }));
    EXPECT_EQ(visited, 1500);
    EXPECT_EQ(archive.position(), 1500);
}

// An archive cut short by another program while it is read: every whole
// record read before the failure is handed out, the block cut through
// included, then the failure is told. Alike for a whole scan and for the
// ranges that two threads read side by side.
TEST_F(StorageArchiveFile, AReadFailingPartWayHandsOutEveryWholeRecordBeforeIt) {
    const qint64 block = ArchiveFile::ScanBlockRecords;
    const qint64 records = 5 * block;
    const qint64 cutAt = 2 * block + 300; // inside the third block, half a record on
    const struct {
        const char* what;
        qint64 first;
        qint64 count;
    } ranges[] = {{"the whole archive", 0, records},
                  {"a second half", block + 10, records - block - 10}};
    for (const auto& range : ranges) {
        SCOPED_TRACE(range.what);
        writeFile(path(), numberedArchive(static_cast<int>(records)));
        ArchiveFile archive;
        ASSERT_TRUE(archive.open(path()));
        qint64 last = 0;
        bool cut = false;
        bool inOrder = true;
        const Result<> read =
            archive.scanRange(range.first, range.count, [&](qint64 position, const char* record) {
                inOrder = inOrder && position == (last ? last + 1 : range.first + 1) &&
                          QByteArray(record, VoucherRecord::Size) ==
                              numberedVoucher(static_cast<int>(position)).toBytes();
                last = position;
                if (!cut) {
                    cut = true;
                    QFile::resize(path(), cutAt * VoucherRecord::Size + VoucherRecord::Size / 2);
                }
                return true;
            });
        EXPECT_FALSE(read) << "the cut is a failure";
        EXPECT_TRUE(inOrder);
        EXPECT_EQ(last, cutAt) << "every whole record before the cut";
        archive.close();
    }
}

TEST_F(StorageArchiveFile, AppendWritesOnlyTheNewRecordAfterTheLast) {
    const QByteArray before = numberedArchive(7);
    writeFile(path(), before);
    const VoucherRecord voucher = numberedVoucher(8);

    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));
    const Result<qint64> newPosition = archive.append(voucher);
    ASSERT_TRUE(newPosition) << newPosition.error().toStdString();
    EXPECT_EQ(newPosition, 8);
    EXPECT_EQ(archive.position(), 8);
    EXPECT_EQ(archive.count(), 8);
    archive.close();

    const QByteArray after = readFile(path());
    ASSERT_EQ(after.size(), 8440);
    EXPECT_EQ(after.left(7385), before);
    EXPECT_EQ(after.mid(7385, 1055), voucher.toBytes()); // bytes 7385 to 8439
}

// A disk that fills up in the middle of the new record: the append fails and
// the part that fitted is taken away again.
TEST_F(StorageArchiveFile, AnAppendCutShortLeavesTheFileAsItWas) {
    const QByteArray before = numberedArchive(4);
    writeFile(path(), before);
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));
    std::optional<Result<qint64>> appended;
    {
        scontrix::test::WriteFailure diskFull(4 * 1055 + 300);
        appended = archive.append(numberedVoucher(5));
    }
    EXPECT_FALSE(*appended);
    EXPECT_FALSE(appended->error().isEmpty());
    EXPECT_EQ(archive.count(), 4);
    archive.close();
    EXPECT_EQ(readFile(path()).toHex(), before.toHex());
}

TEST_F(StorageArchiveFile, UpdateReplacesOnlyItsRecord) {
    const QByteArray before = numberedArchive(40);
    writeFile(path(), before);
    VoucherRecord changed = numberedVoucher(12);
    changed.acquirente = QStringLiteral("Cliente cambiato");
    changed.pagato = !changed.pagato;

    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));
    const Result<qint64> updated = archive.update(12, changed);
    ASSERT_TRUE(updated) << updated.error().toStdString();
    EXPECT_EQ(updated, 12);
    EXPECT_EQ(archive.position(), 12);
    // No record there: nothing written.
    EXPECT_FALSE(archive.update(41, changed));
    EXPECT_FALSE(archive.update(0, changed));
    archive.close();

    const QByteArray after = readFile(path());
    ASSERT_EQ(after.size(), before.size());
    EXPECT_EQ(after.left(11605), before.left(11605));
    EXPECT_EQ(after.mid(11605, 1055), changed.toBytes()); // bytes 11605 to 12659
    EXPECT_EQ(after.mid(12660), before.mid(12660));
}

TEST_F(StorageArchiveFile, WriteReplacesAtTheIndexOrAddsAtTheCount) {
    writeFile(path(), numberedArchive(3));
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));

    ASSERT_TRUE(archive.seek(1));
    ASSERT_TRUE(archive.write(numberedVoucher(20)));
    EXPECT_EQ(archive.position(), 2);
    ASSERT_TRUE(archive.seek(3));
    ASSERT_TRUE(archive.write(numberedVoucher(40)));
    EXPECT_EQ(archive.position(), 4);
    EXPECT_EQ(archive.count(), 4);
    archive.close();

    EXPECT_EQ(readFile(path()), numberedVoucher(1).toBytes() + numberedVoucher(20).toBytes() +
                                    numberedVoucher(3).toBytes() + numberedVoucher(40).toBytes());
}

TEST_F(StorageArchiveFile, OpeningCreatesAMissingArchiveEmptyAndNeverTruncates) {
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path()));
    EXPECT_EQ(archive.count(), 0);
    EXPECT_TRUE(archive.endReached());
    archive.close();
    ASSERT_TRUE(QFile::exists(path()));
    EXPECT_EQ(QFile(path()).size(), 0);

    const QByteArray existing = numberedArchive(3) + QByteArray(10, '\x55');
    writeFile(path(), existing);
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(archive.open(path()));
        EXPECT_EQ(archive.count(), 3);
        archive.close();
    }
    EXPECT_EQ(readFile(path()), existing);
}

TEST_F(StorageArchiveFile, PathIsTrimmedOfBlanks) {
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(QStringLiteral(" \t") + path() + QStringLiteral(" \r\n")));
    archive.close();
    EXPECT_TRUE(QFile::exists(path()));
}

TEST_F(StorageArchiveFile, OpeningFailsWhereNoFileCanBeOpenedOrCreated) {
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("Cartella.eur")));
    const QString cases[] = {
        path(QStringLiteral("Cartella.eur")),
        path(QStringLiteral("manca/Negozio.eur")),
    };
    for (const QString& failing : cases) {
        ArchiveFile archive;
        const Result<> opened = archive.open(failing);
        EXPECT_FALSE(opened) << failing.toStdString();
        EXPECT_FALSE(opened.error().isEmpty());
        // Every operation on it fails rather than pretending.
        EXPECT_FALSE(archive.count().has_value());
        EXPECT_FALSE(archive.read().has_value());
        EXPECT_FALSE(archive.append(numberedVoucher(1)));
    }
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("manca/Negozio.eur"))));
}

// The archive is always opened for writing, so a read-only one cannot be
// opened even to read it.
TEST_F(StorageArchiveFile, ReadOnlyArchiveFailsToOpen) {
    const QByteArray content = numberedArchive(2);
    writeFile(path(), content);
    ASSERT_TRUE(
        QFile::setPermissions(path(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    ASSERT_TRUE(QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                       QFile::ExeOwner | QFile::ReadOther |
                                                       QFile::ExeOther));
    const QString archivePath = path();
    const int result = test::runAsOrdinaryUser([&] {
        ArchiveFile archive;
        const Result<> opened = archive.open(archivePath);
        if (opened)
            return 1;
        return opened.error().isEmpty() ? 2 : 0;
    });
    EXPECT_EQ(result, 0) << "1: opened, 2: no error text, 125: could not give up root";
    EXPECT_EQ(readFile(path()), content);
}

} // namespace
} // namespace scontrix::storage
