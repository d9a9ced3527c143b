#include "platform/ProgramFolder.h"

#include "platform/Seam.h"

#include <QCoreApplication>
#include <QFile>
#include <climits>
#include <fcntl.h>
#include <unistd.h>

namespace scontrix::platform {

namespace {

// A folder whose name text cannot hold (bytes that are not UTF-8, such as a
// Latin-1 "è" from an older desktop) would come back from a round trip
// through text as another, missing folder. Such a folder is held open for
// the run and named by the link the system keeps for the open handle,
// /proc/<pid>/fd/<n>, which every file operation follows into the folder
// itself, in this process and in the programs it hands files to.
class NativeFolder final : public ProgramFolder {
public:
    explicit NativeFolder(const QByteArray& folder) : path_(QFile::decodeName(folder)) {
        if (QFile::encodeName(path_) != folder) {
            handle_ = ::open(folder.constData(), O_PATH | O_DIRECTORY | O_CLOEXEC);
            if (handle_ >= 0)
                path_ = QStringLiteral("/proc/%1/fd/%2").arg(::getpid()).arg(handle_);
        }
        if (!path_.endsWith(u'/'))
            path_ += u'/';
    }
    ~NativeFolder() override {
        if (handle_ >= 0)
            ::close(handle_);
    }
    NativeFolder(const NativeFolder&) = delete;
    NativeFolder& operator=(const NativeFolder&) = delete;

    QString path() const override { return path_; }

private:
    QString path_;
    int handle_ = -1;
};

// The executable's folder in the bytes the kernel names it by.
QByteArray executableFolder() {
    char target[PATH_MAX];
    const ssize_t n = ::readlink("/proc/self/exe", target, sizeof target);
    if (n <= 0 || n >= ssize_t(sizeof target))
        return QFile::encodeName(QCoreApplication::applicationDirPath());
    const QByteArray file(target, n);
    return file.left(file.lastIndexOf('/') + 1);
}

} // namespace

ProgramFolder& ProgramFolder::current() {
    return Seam<ProgramFolder>::current();
}

std::unique_ptr<ProgramFolder> ProgramFolder::makeReal() {
    return ofNativePath(executableFolder());
}

std::unique_ptr<ProgramFolder> ProgramFolder::ofNativePath(const QByteArray& folder) {
    return std::make_unique<NativeFolder>(folder);
}

QString ProgramFolder::file(const QString& fileName) {
    return current().path() + fileName;
}

} // namespace scontrix::platform
