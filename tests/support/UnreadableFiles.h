#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cstring>
#include <functional>
#include <ostream>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/un.h>
#include <unistd.h>

namespace scontrix::test {

// Things that can stand where the program expects a small text file of its
// own and that cannot be read as one: a file without read permission (it holds
// only for a user, or for root under PermissionsApply), a file whose reading
// fails, a folder, a FIFO, a socket, a device. As rows of a table of cases.
struct UnreadableCase {
    const char* name;
    // Makes the thing at `path`; a file holds `bytes`. False when this
    // machine cannot make it (the test is then skipped).
    std::function<bool(const QString& path, const QByteArray& bytes)> make;
};

inline void PrintTo(const UnreadableCase& row, std::ostream* out) {
    *out << row.name;
}

inline bool writeWhole(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline const UnreadableCase Unreadables[] = {
    {"FileWithoutReadPermission",
     [](const QString& path, const QByteArray& bytes) {
         return writeWhole(path, bytes) && ::chmod(QFile::encodeName(path).constData(), 0200) == 0;
     }},
    // Reading /proc/self/mem from its start fails with EIO: a file that opens
    // and then cannot be read, as on a failing disk.
    {"FileWhoseReadFails",
     [](const QString& path, const QByteArray&) {
         return QFile::link(QStringLiteral("/proc/self/mem"), path);
     }},
    {"FolderInTheWay",
     [](const QString& path, const QByteArray& bytes) {
         return QDir().mkdir(path) && writeWhole(path + QStringLiteral("/dentro.txt"), bytes);
     }},
    {"Fifo",
     [](const QString& path, const QByteArray&) {
         return ::mkfifo(QFile::encodeName(path).constData(), 0644) == 0;
     }},
    {"Socket",
     [](const QString& path, const QByteArray&) {
         const QByteArray name = QFile::encodeName(path);
         sockaddr_un address{};
         address.sun_family = AF_UNIX;
         if (size_t(name.size()) >= sizeof address.sun_path)
             return false;
         std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
         const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
         if (fd < 0)
             return false;
         const bool bound = ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
         ::close(fd);
         return bound;
     }},
    // A node of the null device of its own (root only): it opens, and reads
    // as empty.
    {"Device",
     [](const QString& path, const QByteArray&) {
         return ::mknod(QFile::encodeName(path).constData(), S_IFCHR | 0644, makedev(1, 3)) == 0;
     }},
};

// What stands at a path: its kind, its identity and, for a file, its bytes.
struct Seen {
    mode_t mode = 0;
    ino_t inode = 0;
    QByteArray bytes;
    bool operator==(const Seen&) const = default;
};

inline Seen look(const QString& path) {
    struct stat st {};
    if (::lstat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    Seen seen{st.st_mode, st.st_ino, {}};
    if (S_ISREG(st.st_mode)) {
        QFile file(path);
        seen.bytes = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(unreadable)");
    }
    return seen;
}

} // namespace scontrix::test
