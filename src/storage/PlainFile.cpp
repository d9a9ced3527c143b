#include "storage/PlainFile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scontrix::storage {

namespace {

using Content = std::optional<QByteArray>;

Failure notAFile() {
    return Failure{QStringLiteral(
        "non è un file ordinario (è una cartella, una coda, un socket o un dispositivo)")};
}

Failure systemFailure(int error) {
    return Failure{QString::fromLocal8Bit(std::strerror(error))};
}

// The rest of an open plain file; the errno of a read that fails.
int readAll(int fd, QByteArray& bytes) {
    char block[16384];
    for (;;) {
        const ssize_t n = ::read(fd, block, sizeof block);
        if (n > 0)
            bytes.append(block, n);
        else if (n == 0)
            return 0;
        else if (errno != EINTR)
            return errno;
    }
}

} // namespace

Result<Content> readPlainFile(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat seen {};
    if (::stat(native.constData(), &seen) != 0)
        return errno == ENOENT ? Result<Content>(Content{}) : Result<Content>(systemFailure(errno));
    if (!S_ISREG(seen.st_mode))
        return notAFile();
    // Non-blocking, so that a FIFO put in its place after the look above
    // cannot keep open() waiting for a writer; looked at again once open.
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return systemFailure(errno);
    QByteArray bytes;
    std::optional<Failure> failure;
    if (::fstat(fd, &seen) != 0)
        failure = systemFailure(errno);
    else if (!S_ISREG(seen.st_mode))
        failure = notAFile();
    else if (const int error = readAll(fd, bytes))
        failure = systemFailure(error);
    ::close(fd);
    if (failure)
        return *failure;
    return Content{std::move(bytes)};
}

} // namespace scontrix::storage
