#include "storage/ArchiveFile.h"

#include "storage/Text.h"

#include <QDeadlineTimer>
#include <QThread>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scontrix::storage {

namespace {

QString systemError(int code) {
    return QString::fromLocal8Bit(std::strerror(code));
}

ArchiveFile::Locking& lockingInForce() {
    static ArchiveFile::Locking locking;
    return locking;
}

// Answers of a file system that has no locks to give.
bool locksUnsupported(int error) {
    return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS;
}

// Holds the exclusive lock on a descriptor for its lifetime. It asks without
// blocking and asks again until the wait runs out, so that a save never
// hangs on another copy of the program.
class ExclusiveFileLock {
public:
    explicit ExclusiveFileLock(int fd) : fd_(fd), lockCall_(lockingInForce().lockCall) {
        const QDeadlineTimer deadline(lockingInForce().wait);
        for (;;) {
            if (lockCall_(fd_, LOCK_EX | LOCK_NB) == 0) {
                held_ = true;
                return;
            }
            error_ = errno;
            if (error_ == EINTR)
                continue;
            if (error_ != EWOULDBLOCK || deadline.hasExpired())
                return;
            QThread::msleep(std::min<qint64>(20, std::max<qint64>(1, deadline.remainingTime())));
        }
    }
    ~ExclusiveFileLock() {
        if (held_)
            lockCall_(fd_, LOCK_UN);
    }
    ExclusiveFileLock(const ExclusiveFileLock&) = delete;
    ExclusiveFileLock& operator=(const ExclusiveFileLock&) = delete;

    bool held() const { return held_; }
    // Nothing to wait for: the file system keeps no locks.
    bool unsupported() const { return !held_ && locksUnsupported(error_); }
    bool timedOut() const { return !held_ && error_ == EWOULDBLOCK; }
    int error() const { return error_; }

private:
    int fd_;
    int (*lockCall_)(int, int);
    bool held_ = false;
    int error_ = 0;
};

} // namespace

ArchiveFile::Locking ArchiveFile::setLocking(const Locking& locking) {
    const Locking previous = lockingInForce();
    lockingInForce() = locking;
    return previous;
}

const ArchiveFile::Locking& ArchiveFile::locking() {
    return lockingInForce();
}

int ArchiveFile::defaultLockCall(int fd, int operation) {
    return ::flock(fd, operation);
}

ArchiveFile::~ArchiveFile() {
    close();
}

Result<> ArchiveFile::open(const QString& path) {
    close();
    file_.setFileName(trimControl(path));
    // Read and write without truncating; QFile creates the file when missing.
    // Unbuffered so that every write reaches the system at once and its
    // failure is reported by that write.
    if (!file_.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        return failWithFileError(QStringLiteral("cannot open the archive"));
    return {};
}

void ArchiveFile::close() {
    if (file_.isOpen())
        file_.close();
    index_ = 0;
}

Result<qint64> ArchiveFile::count() {
    if (!file_.isOpen())
        return Failure{QStringLiteral("the archive is not open")};
    struct stat info {};
    if (::fstat(file_.handle(), &info) != 0)
        return Failure{QStringLiteral("cannot read the archive size: ") + systemError(errno)};
    return static_cast<qint64>(info.st_size) / RecordSize;
}

Result<> ArchiveFile::seek(qint64 index) {
    const Result<qint64> n = count();
    if (!n)
        return Failure{n.error()};
    if (index < 0 || index > *n)
        return Failure{
            QStringLiteral("record index %1 outside the archive of %2 records").arg(index).arg(*n)};
    index_ = index;
    return {};
}

Result<VoucherRecord> ArchiveFile::read() {
    const Result<qint64> n = count();
    if (!n)
        return Failure{n.error()};
    if (index_ >= *n)
        return Failure{
            QStringLiteral("no record at index %1: the archive has %2").arg(index_).arg(*n)};
    if (!file_.seek(index_ * RecordSize))
        return failWithFileError(QStringLiteral("cannot seek"));
    const QByteArray bytes = file_.read(RecordSize);
    if (bytes.size() != RecordSize)
        return failWithFileError(QStringLiteral("cannot read record %1").arg(index_ + 1));
    ++index_;
    return VoucherRecord::fromBytes(bytes);
}

Result<> ArchiveFile::write(const VoucherRecord& record) {
    return writeAtIndex(record);
}

Result<> ArchiveFile::writeAtIndex(const VoucherRecord& record) {
    const Result<qint64> n = count();
    if (!n)
        return Failure{n.error()};
    // Past the count the file would get a hole of records nobody wrote.
    if (index_ > *n)
        return Failure{QStringLiteral("cannot write at index %1 of an archive of %2 records")
                           .arg(index_)
                           .arg(*n)};
    if (!file_.seek(index_ * RecordSize))
        return failWithFileError(QStringLiteral("cannot seek"));
    if (file_.write(record.toBytes()) != RecordSize)
        return failWithFileError(QStringLiteral("cannot write record %1").arg(index_ + 1));
    ++index_;
    return {};
}

bool ArchiveFile::endReached() {
    const Result<qint64> n = count();
    return !n || index_ >= *n;
}

template <typename Write> Result<> ArchiveFile::underLock(Write&& write) {
    if (!file_.isOpen())
        return Failure{QStringLiteral("the archive is not open")};
    // Counting and writing under one lock: another copy of the program that
    // counted at the same moment would otherwise write over this voucher.
    const ExclusiveFileLock lock(file_.handle());
    if (lock.timedOut())
        return Failure{QStringLiteral("another copy of the program is still saving into the "
                                      "archive after %1 ms")
                           .arg(locking().wait.count())};
    if (!lock.held() && !lock.unsupported())
        return Failure{QStringLiteral("cannot lock the archive: ") + systemError(lock.error())};
    struct stat before {};
    if (::fstat(file_.handle(), &before) != 0)
        return Failure{QStringLiteral("cannot read the archive size: ") + systemError(errno)};
    const Result<qint64> n = count();
    if (!n)
        return Failure{n.error()};
    Result<> written = write(*n);
    if (written)
        written = syncToDisk();
    if (written)
        return written;
    // A disk that fills up in the middle of a new record keeps the part that
    // fitted. The voucher was not saved, so the file goes back to its length:
    // the user, told so, finds the archive as it was. (Should even that fail,
    // the cut record is ignored by readers and taken over by the next append.)
    struct stat after {};
    if (::fstat(file_.handle(), &after) == 0 && after.st_size > before.st_size &&
        ::ftruncate(file_.handle(), before.st_size) != 0)
        return Failure{written.error() + QStringLiteral("; the part written stays: ") +
                       systemError(errno)};
    return written;
}

Result<qint64> ArchiveFile::append(const VoucherRecord& record) {
    const Result<> written = underLock([&](qint64 n) {
        index_ = n;
        return writeAtIndex(record);
    });
    if (!written)
        return Failure{written.error()};
    return index_;
}

Result<qint64> ArchiveFile::update(qint64 position, const VoucherRecord& record) {
    const Result<> written = underLock([&](qint64 n) -> Result<> {
        if (position < 1 || position > n)
            return Failure{QStringLiteral("no record at position %1: the archive has %2")
                               .arg(position)
                               .arg(n)};
        index_ = position - 1;
        return writeAtIndex(record);
    });
    if (!written)
        return Failure{written.error()};
    return position;
}

Result<> ArchiveFile::syncToDisk() {
    if (!file_.flush())
        return failWithFileError(QStringLiteral("cannot flush the archive"));
#if defined(Q_OS_LINUX)
    const int result = ::fdatasync(file_.handle());
#else
    const int result = ::fsync(file_.handle());
#endif
    if (result != 0)
        return Failure{QStringLiteral("cannot write the archive to disk: ") + systemError(errno)};
    return {};
}

Result<> ArchiveFile::scan(const Visitor& visit) {
    const Result<qint64> total = count();
    if (!total)
        return Failure{total.error()};
    const qint64 n = *total;
#if defined(Q_OS_LINUX)
    ::posix_fadvise(file_.handle(), 0, 0, POSIX_FADV_SEQUENTIAL);
#endif
    if (!file_.seek(0))
        return failWithFileError(QStringLiteral("cannot seek"));
    // One buffer for the whole scan; records are handed out in place.
    QByteArray buffer(std::min(n, ScanBlockRecords) * RecordSize, Qt::Uninitialized);
    index_ = 0;
    while (index_ < n) {
        const qint64 records = std::min(ScanBlockRecords, n - index_);
        const qint64 wanted = records * RecordSize;
        qint64 got = 0;
        while (got < wanted) {
            const qint64 chunk = file_.read(buffer.data() + got, wanted - got);
            if (chunk <= 0)
                return failWithFileError(
                    QStringLiteral("cannot read record %1").arg(index_ + got / RecordSize + 1));
            got += chunk;
        }
        const char* record = buffer.constData();
        for (qint64 i = 0; i < records; ++i, record += RecordSize) {
            ++index_;
            if (!visit(index_, record))
                return {};
        }
    }
    return {};
}

Result<> ArchiveFile::scanRange(qint64 first, qint64 records, const Visitor& visit) const {
    if (records <= 0)
        return {};
    const int fd = file_.handle();
#if defined(Q_OS_LINUX)
    ::posix_fadvise(fd, first * RecordSize, records * RecordSize, POSIX_FADV_SEQUENTIAL);
#endif
    // One buffer per range; records are handed out in place. pread() leaves
    // the file offset alone, which is what lets two ranges be read at once.
    QByteArray buffer(std::min(records, ScanBlockRecords) * RecordSize, Qt::Uninitialized);
    qint64 index = first;
    const qint64 end = first + records;
    while (index < end) {
        const qint64 block = std::min(ScanBlockRecords, end - index);
        const qint64 wanted = block * RecordSize;
        qint64 got = 0;
        while (got < wanted) {
            const ssize_t chunk =
                ::pread(fd, buffer.data() + got, static_cast<std::size_t>(wanted - got),
                        static_cast<off_t>(index * RecordSize + got));
            if (chunk < 0 && errno == EINTR)
                continue;
            if (chunk <= 0) {
                const QString why =
                    chunk < 0 ? systemError(errno) : QStringLiteral("the file is shorter");
                // The whole records of the block read before the failure are
                // read: they are handed out before the failure is told.
                const char* record = buffer.constData();
                for (qint64 i = 0, whole = got / RecordSize; i < whole; ++i, record += RecordSize) {
                    ++index;
                    if (!visit(index, record))
                        return {};
                }
                return Failure{QStringLiteral("cannot read record %1: ").arg(index + 1) + why};
            }
            got += chunk;
        }
        const char* record = buffer.constData();
        for (qint64 i = 0; i < block; ++i, record += RecordSize) {
            ++index;
            if (!visit(index, record))
                return {};
        }
    }
    return {};
}

Failure ArchiveFile::failWithFileError(const QString& what) const {
    return Failure{what + QStringLiteral(": ") + file_.errorString()};
}

} // namespace scontrix::storage
