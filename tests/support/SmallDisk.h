#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <ostream>
#include <sys/mount.h>
#include <unistd.h>

namespace scontrix::test {

// What goes wrong with the program folder, as rows of a table of cases.
enum class DiskTrouble { Full, ReadOnly };
struct DiskTroubleCase {
    const char* name;
    DiskTrouble trouble;
};
inline void PrintTo(const DiskTroubleCase& c, std::ostream* os) {
    *os << c.name;
}
inline const DiskTroubleCase DiskTroubles[] = {{"FullDisk", DiskTrouble::Full},
                                               {"ReadOnlyFolder", DiskTrouble::ReadOnly}};

// A small disk of its own mounted on a folder (a tmpfs, as root only): the
// folder's contents are hidden while it is mounted and come back afterwards.
// Unlike the file size limit of WriteFailure, the disk really fills and the
// folder really becomes read-only, for root as well, so that every system call
// of a save meets the failure where it would meet it in a shop.
class SmallDisk {
public:
    // `blocks` of 4 KiB and room for `files` files.
    SmallDisk(const QString& folder, int blocks = 64, int files = 64) : folder_(folder) {
        const QByteArray options = "size=" + QByteArray::number(blocks * 4) +
                                   "k,nr_inodes=" + QByteArray::number(files) + ",mode=0755";
        if (::geteuid() != 0) {
            why_ = QStringLiteral("not running as root: no disk of its own can be mounted");
        } else if (::mount("scontrix-test", QFile::encodeName(folder_).constData(), "tmpfs",
                           MS_NOSUID | MS_NODEV, options.constData()) != 0) {
            why_ = QStringLiteral("a tmpfs cannot be mounted here: ") +
                   QString::fromLocal8Bit(std::strerror(errno));
        } else {
            mounted_ = true;
        }
    }
    ~SmallDisk() {
        if (mounted_)
            ::umount2(QFile::encodeName(folder_).constData(), MNT_DETACH);
    }
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool mounted() const { return mounted_; }
    // Why the disk is not there, for the notice of a skipped test.
    std::string whyNot() const { return why_.toStdString(); }

    // Takes every free block and every free file entry.
    bool fill() {
        const QString filler = folder_ + QStringLiteral("/riempitivo");
        const int fd = ::open(QFile::encodeName(filler).constData(), O_WRONLY | O_CREAT, 0644);
        if (fd < 0)
            return false;
        const QByteArray block(4096, 'x');
        while (::write(fd, block.constData(), block.size()) > 0) {
        }
        ::close(fd);
        for (int i = 0;; ++i) {
            const QByteArray name = QFile::encodeName(folder_ + QStringLiteral("/vuoto%1").arg(i));
            const int empty = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0644);
            if (empty < 0)
                return errno == ENOSPC;
            ::close(empty);
        }
    }

    // Gives back every block and file entry fill() took.
    void makeRoom() {
        QDir disk(folder_);
        const QStringList taken =
            disk.entryList({QStringLiteral("riempitivo"), QStringLiteral("vuoto*")}, QDir::Files);
        for (const QString& name : taken)
            disk.remove(name);
    }

    // Everything in it stays readable; nothing can be written, created or removed.
    bool makeReadOnly() {
        return ::mount(nullptr, QFile::encodeName(folder_).constData(), nullptr,
                       MS_REMOUNT | MS_RDONLY | MS_NOSUID | MS_NODEV, nullptr) == 0;
    }

    bool bringOn(DiskTrouble trouble) {
        return trouble == DiskTrouble::Full ? fill() : makeReadOnly();
    }

private:
    QString folder_;
    QString why_;
    bool mounted_ = false;
};

} // namespace scontrix::test
