#include "storage/ArchiveFile.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>
#include <memory>
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

} // namespace
} // namespace scontrix::storage
