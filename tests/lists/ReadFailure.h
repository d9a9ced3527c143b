#pragma once

#include <QString>
#include <QtGlobal>

namespace scontrix::test {

// A disk that fails under one file: while the guard lives, reading that file
// (the inode at `path` when the guard is made) gives its bytes up to byte
// `from`, and every read at or beyond it fails with an input/output error, as
// a damaged sector does. Reads of other files, and any read once the guard is
// gone, are left alone. The archive reads with pread(), which this test
// executable puts itself in front of.
class ReadFailure {
public:
    ReadFailure(const QString& path, qint64 from);
    ~ReadFailure();
    ReadFailure(const ReadFailure&) = delete;
    ReadFailure& operator=(const ReadFailure&) = delete;

    // How many reads of the file have failed so far.
    static int failures();
};

} // namespace scontrix::test
