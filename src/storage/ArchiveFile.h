#pragma once

#include "storage/Result.h"
#include "storage/VoucherRecord.h"

#include <QFile>
#include <QString>
#include <chrono>
#include <functional>
#include <limits>

namespace scontrix::storage {

// Access to one archive file, made for one operation and closed at its end: no
// archive stays open between two user actions. An archive is a plain sequence
// of VoucherRecord::Size-byte records; the record at 0-based index i starts at
// byte i * Size and is shown to the user as position i + 1. Bytes of an
// incomplete last record are neither counted nor read.
//
// Every operation that can fail returns a Result whose error() says why, and
// the caller decides what to tell the user.
//
// Two copies of the program working on an archive in a shared folder must not
// both write their new voucher at the same index, so append() and update()
// hold an exclusive lock on the file from the moment they count the records
// until their record is on disk. The lock is flock(2) on the open file: it
// excludes other processes and other ArchiveFile objects of this process
// alike, and unlike fcntl(2) record locks it is not dropped when some other
// descriptor of the same file is closed. It is advisory: readers never take it
// and are never held up.
//
// The wait for the lock is bounded: a copy of the program stopped in the
// middle of its save must not freeze this one. After Locking::wait the save
// fails and nothing is written. A file system that does not support locks at
// all (it answers ENOLCK, EOPNOTSUPP or ENOSYS) gets the write without the
// lock, as before locking existed, rather than no write at all.
class ArchiveFile {
public:
    // How append() and update() lock: the longest wait for another copy's
    // save to end, and the lock call itself (flock's shape), which a test may
    // replace to play a file system without lock support.
    struct Locking {
        std::chrono::milliseconds wait{5000};
        int (*lockCall)(int fd, int operation) = defaultLockCall;
    };
    // Replaces the way every ArchiveFile locks and returns the previous one.
    static Locking setLocking(const Locking& locking);
    static const Locking& locking();
    static int defaultLockCall(int fd, int operation);

    static constexpr qint64 RecordSize = VoucherRecord::Size;
    // As many records as a file's size can count: the largest position there
    // can be, and so the longest position in a logo's file name.
    static constexpr qint64 MaxRecords = std::numeric_limits<qint64>::max() / RecordSize;
    // Records read at once by scan(): about one megabyte.
    static constexpr qint64 ScanBlockRecords = 1024;

    // Called by scan() with the 1-based position and the raw bytes of each
    // record, which stay valid only during the call. Returning false ends the
    // scan early (scan() still succeeds).
    using Visitor = std::function<bool(qint64 position, const char* recordBytes)>;

    ArchiveFile() = default;
    ~ArchiveFile();
    ArchiveFile(const ArchiveFile&) = delete;
    ArchiveFile& operator=(const ArchiveFile&) = delete;

    // Opens for reading and writing at index 0. A missing file is created
    // empty; an existing one is never truncated. Fails when the file can be
    // neither opened for writing nor created (read-only file, missing write
    // permission, a folder, a missing parent folder), even for operations that
    // only read. The path is trimmed of blanks and control characters first.
    Result<> open(const QString& path);
    bool isOpen() const { return file_.isOpen(); }
    void close();

    // File size divided by RecordSize, rounded down; read afresh from the file
    // system each time, since another copy of the program may have appended.
    Result<qint64> count();

    // Sets the current 0-based index; the count itself is allowed (the place
    // for a new record), anything beyond it fails.
    Result<> seek(qint64 index);
    // The record at the current index, then the index moves on by one. Fails at
    // or beyond the count.
    Result<VoucherRecord> read();
    // Writes at the current index, replacing the record there or, at the
    // count, adding it; then the index moves on by one. Takes no lock: for
    // saving a voucher use append() or update().
    Result<> write(const VoucherRecord& record);

    // After reading or writing the record at index i, i + 1: the 1-based
    // position of the record just handled.
    qint64 position() const { return index_; }
    // True when the current index has reached the count (or the count fails).
    bool endReached();

    // Adds the record after the last one under the lock and makes sure it is on
    // disk before returning its 1-based position, which is also the new count.
    Result<qint64> append(const VoucherRecord& record);
    // Replaces the record at 1-based `position` under the lock and makes sure
    // it is on disk; returns that position, as append() returns its own.
    // Fails when there is no record at that position.
    Result<qint64> update(qint64 position, const VoucherRecord& record);

    // Reads every record present when the scan starts, from the first, in
    // large blocks and without decoding anything; afterwards position() is
    // that of the last record handed out (the count, unless stopped early).
    Result<> scan(const Visitor& visit);

    // Reads the `records` records from 0-based index `first` on, in large
    // blocks, as scan() reads them all. It neither moves nor uses the current
    // index, so two threads may each scan a range of the same open archive at
    // once. Fails when a record of the range cannot be read (another copy of
    // the program may have cut the file short meanwhile).
    Result<> scanRange(qint64 first, qint64 records, const Visitor& visit) const;

private:
    Failure failWithFileError(const QString& what) const;
    Result<> writeAtIndex(const VoucherRecord& record);
    Result<> syncToDisk();
    // Runs write(count) holding the lock, then puts the file on disk.
    template <typename Write> Result<> underLock(Write&& write);

    QFile file_;
    qint64 index_ = 0;
};

} // namespace scontrix::storage
