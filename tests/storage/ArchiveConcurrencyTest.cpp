#include "StorageTestSupport.h"
#include "TableRows.h"
#include "storage/ArchiveFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>
#include <sys/file.h>
#include <vector>

namespace scontrix::storage {
namespace {

// Several copies of the program saving new vouchers into one archive at the
// same moment. Each child process is this test executable run again on the
// ChildAppender test, told by the environment where the archive is and who it is.
constexpr int Children = 6;
constexpr int AppendsPerChild = 200;
constexpr char ArchiveVariable[] = "SCONTRIX_TEST_APPEND_ARCHIVE";
constexpr char ChildVariable[] = "SCONTRIX_TEST_APPEND_CHILD";
constexpr char StartVariable[] = "SCONTRIX_TEST_APPEND_START";

VoucherRecord taggedVoucher(int child, int sequence) {
    VoucherRecord record;
    record.acquirente = QStringLiteral("Copia %1").arg(child);
    record.num = QString::number(sequence);
    record.note = QStringLiteral("%1/%2").arg(child).arg(sequence).repeated(20);
    record.pagato = sequence % 2 == 0;
    return record;
}

TEST(StorageArchiveConcurrency, ChildAppender) {
    const QString archivePath = qEnvironmentVariable(ArchiveVariable);
    if (archivePath.isEmpty())
        GTEST_SKIP() << "runs only as a child of ConcurrentAppendsLoseNothing";
    const int child = qEnvironmentVariableIntValue(ChildVariable);
    const QString startSignal = qEnvironmentVariable(StartVariable);

    // All children begin together, once every one of them has started.
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(startSignal)) {
        ASSERT_LT(waited.elapsed(), 60000) << "no start signal";
        QThread::usleep(200);
    }
    for (int sequence = 1; sequence <= AppendsPerChild; ++sequence) {
        // One open per voucher, as the editor does.
        ArchiveFile archive;
        const Result<> opened = archive.open(archivePath);
        ASSERT_TRUE(opened) << opened.error().toStdString();
        const Result<qint64> position = archive.append(taggedVoucher(child, sequence));
        ASSERT_TRUE(position) << position.error().toStdString();
        ASSERT_GE(*position, sequence);
    }
}

TEST(StorageArchiveConcurrency, ConcurrentAppendsLoseNothing) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString archivePath = dir.filePath(QStringLiteral("Negozio.eur"));
    const QString startSignal = dir.filePath(QStringLiteral("via"));

    std::vector<std::unique_ptr<QProcess>> children;
    for (int child = 1; child <= Children; ++child) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QString::fromLatin1(ArchiveVariable), archivePath);
        environment.insert(QString::fromLatin1(ChildVariable), QString::number(child));
        environment.insert(QString::fromLatin1(StartVariable), startSignal);
        process->setProcessEnvironment(environment);
        process->setProcessChannelMode(QProcess::MergedChannels);
        process->start(QCoreApplication::applicationFilePath(),
                       {QStringLiteral("--gtest_filter=StorageArchiveConcurrency.ChildAppender")});
        ASSERT_TRUE(process->waitForStarted()) << process->errorString().toStdString();
        children.push_back(std::move(process));
    }
    // Give the children time to reach their wait before the signal.
    QThread::msleep(300);
    {
        QFile signal(startSignal);
        ASSERT_TRUE(signal.open(QIODevice::WriteOnly));
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        QProcess& process = *children[i];
        ASSERT_TRUE(process.waitForFinished(120000)) << "child " << i + 1 << " hangs";
        const QByteArray output = process.readAll();
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << output.toStdString();
        EXPECT_EQ(process.exitCode(), 0) << output.toStdString();
        EXPECT_FALSE(output.contains("[  SKIPPED ]")) << output.toStdString();
    }

    // Every voucher once, intact, and nothing else.
    EXPECT_EQ(QFile(archivePath).size(), qint64{Children} * AppendsPerChild * VoucherRecord::Size);
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(archivePath));
    QSet<QPair<int, int>> found;
    qint64 damaged = 0;
    ASSERT_TRUE(archive.scan([&](qint64, const char* bytes) {
        const VoucherRecord record = VoucherRecord::fromRaw(bytes);
        const int child = record.acquirente.mid(6).toInt();
        const int sequence = record.num.toInt();
        if (QByteArray(bytes, VoucherRecord::Size) != taggedVoucher(child, sequence).toBytes())
            ++damaged;
        else
            found.insert({child, sequence});
        return true;
    }));
    EXPECT_EQ(damaged, 0);
    EXPECT_EQ(found.size(), Children * AppendsPerChild);
}

// Another copy of the program stopped in the middle of its save: a child
// process that takes the archive's lock, says so, and keeps it until told to
// let go.
constexpr char HolderArchiveVariable[] = "SCONTRIX_TEST_LOCK_ARCHIVE";
constexpr char HolderHeldVariable[] = "SCONTRIX_TEST_LOCK_HELD";
constexpr char HolderReleaseVariable[] = "SCONTRIX_TEST_LOCK_RELEASE";

bool waitForFile(const QString& path, int milliseconds) {
    QElapsedTimer waited;
    waited.start();
    while (!QFile::exists(path)) {
        if (waited.elapsed() > milliseconds)
            return false;
        QThread::msleep(5);
    }
    return true;
}

void touch(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

TEST(StorageArchiveConcurrency, ChildHoldingTheLock) {
    const QString archivePath = qEnvironmentVariable(HolderArchiveVariable);
    if (archivePath.isEmpty())
        GTEST_SKIP() << "runs only as a child of ASaveWaitsForAStuckSaveOnlySoLong";
    QFile archive(archivePath);
    ASSERT_TRUE(archive.open(QIODevice::ReadWrite));
    ASSERT_EQ(::flock(archive.handle(), LOCK_EX), 0);
    touch(qEnvironmentVariable(HolderHeldVariable));
    ASSERT_TRUE(waitForFile(qEnvironmentVariable(HolderReleaseVariable), 60000));
}

// Sets how every ArchiveFile locks for the lifetime of the guard.
class ScopedLocking {
public:
    explicit ScopedLocking(const ArchiveFile::Locking& locking)
        : previous_(ArchiveFile::setLocking(locking)) {}
    ~ScopedLocking() { ArchiveFile::setLocking(previous_); }
    ScopedLocking(const ScopedLocking&) = delete;
    ScopedLocking& operator=(const ScopedLocking&) = delete;

private:
    ArchiveFile::Locking previous_;
};

TEST(StorageArchiveConcurrency, ASaveWaitsForAStuckSaveOnlySoLong) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString archivePath = dir.filePath(QStringLiteral("Negozio.eur"));
    const QByteArray before = test::numberedArchive(3);
    test::writeFile(archivePath, before);
    const QString held = dir.filePath(QStringLiteral("preso"));
    const QString release = dir.filePath(QStringLiteral("lascia"));

    QProcess holder;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(HolderArchiveVariable), archivePath);
    environment.insert(QString::fromLatin1(HolderHeldVariable), held);
    environment.insert(QString::fromLatin1(HolderReleaseVariable), release);
    holder.setProcessEnvironment(environment);
    holder.setProcessChannelMode(QProcess::MergedChannels);
    holder.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--gtest_filter=StorageArchiveConcurrency.ChildHoldingTheLock")});
    ASSERT_TRUE(holder.waitForStarted());
    ASSERT_TRUE(waitForFile(held, 60000)) << holder.readAll().toStdString();

    {
        const ScopedLocking briefly({std::chrono::milliseconds(200), ArchiveFile::defaultLockCall});
        ArchiveFile archive;
        ASSERT_TRUE(archive.open(archivePath));
        const Result<qint64> appended = archive.append(test::numberedVoucher(4));
        ASSERT_FALSE(appended) << "the save gives up instead of hanging";
        EXPECT_TRUE(appended.error().contains(QStringLiteral("still saving")))
            << appended.error().toStdString();
        const Result<qint64> updated = archive.update(2, test::numberedVoucher(9));
        EXPECT_FALSE(updated);
        EXPECT_EQ(test::readFile(archivePath), before) << "nothing is written";
    }

    touch(release);
    ASSERT_TRUE(holder.waitForFinished(60000));
    EXPECT_EQ(holder.exitCode(), 0) << holder.readAll().toStdString();
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(archivePath));
    EXPECT_EQ(archive.append(test::numberedVoucher(4)), 4) << "once the other save is over";
}

// A file system without lock support, as some network shares are: the lock
// call fails with this errno every time.
int lockCallError = 0;
int unsupportedLockCall(int, int) {
    errno = lockCallError;
    return -1;
}

struct LockAnswerRow {
    const char* name;
    int error;
    bool written;
};
const LockAnswerRow lockAnswerRows[] = {
    {"NoLocksAvailable", ENOLCK, true},
    {"NotSupported", EOPNOTSUPP, true},
    {"NotImplemented", ENOSYS, true},
    {"BadDescriptor", EBADF, false}, // a real fault is still one
};

class LockAnswer : public ::testing::TestWithParam<LockAnswerRow> {};

TEST_P(LockAnswer, DecidesWhetherTheSaveGoesOn) {
    const LockAnswerRow& row = GetParam();
    QTemporaryDir dir;
    const QString archivePath = dir.filePath(QStringLiteral("Negozio.eur"));
    test::writeFile(archivePath, test::numberedArchive(2));
    lockCallError = row.error;
    const ScopedLocking unsupported({std::chrono::milliseconds(200), unsupportedLockCall});

    ArchiveFile archive;
    ASSERT_TRUE(archive.open(archivePath));
    const Result<qint64> appended = archive.append(test::numberedVoucher(3));
    const Result<qint64> updated = archive.update(1, test::numberedVoucher(7));
    archive.close();
    const QByteArray after = test::readFile(archivePath);
    if (row.written) {
        EXPECT_EQ(appended, 3) << appended.error().toStdString();
        EXPECT_EQ(updated, 1) << updated.error().toStdString();
        EXPECT_EQ(after, test::numberedVoucher(7).toBytes() + test::numberedVoucher(2).toBytes() +
                             test::numberedVoucher(3).toBytes());
    } else {
        EXPECT_FALSE(appended);
        EXPECT_FALSE(updated);
        EXPECT_EQ(after, test::numberedArchive(2));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, LockAnswer, ::testing::ValuesIn(lockAnswerRows),
                         scontrix::test::RowName());

} // namespace
} // namespace scontrix::storage
