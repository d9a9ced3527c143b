// pread() and pread64() for the whole test executable, in front of the C
// library's: they fail the reads of one file as ReadFailure asks and hand
// every other read on. No header that declares pread() may be included here,
// since <unistd.h> can give pread() the name pread64() for large files.
#include <atomic>
#include <cerrno>
#include <dlfcn.h>
#include <sys/stat.h>
#include <sys/types.h>

namespace scontrix::test {

namespace {

struct Target {
    std::atomic<bool> armed{false};
    dev_t device = 0;
    ino_t inode = 0;
    long long from = 0;
    std::atomic<int> failures{0};
};
Target target;

using PreadCall = ssize_t (*)(int, void*, size_t, off_t);

PreadCall realPread() {
    static const PreadCall call = reinterpret_cast<PreadCall>(dlsym(RTLD_NEXT, "pread64"));
    return call;
}

bool isTarget(int fd) {
    if (!target.armed.load())
        return false;
    struct stat st {};
    return ::fstat(fd, &st) == 0 && st.st_dev == target.device && st.st_ino == target.inode;
}

ssize_t failingPread(int fd, void* buffer, size_t size, off_t offset) {
    if (isTarget(fd)) {
        if (offset >= target.from) {
            target.failures.fetch_add(1);
            errno = EIO;
            return -1;
        }
        // What lies before the damage reads as it is: a short read.
        if (static_cast<long long>(offset) + static_cast<long long>(size) > target.from)
            size = static_cast<size_t>(target.from - offset);
    }
    return realPread()(fd, buffer, size, offset);
}

} // namespace

// Declared where ReadFailure uses them.
bool armReadFailure(const char* path, long long from);
void disarmReadFailure();
int readFailures();

bool armReadFailure(const char* path, long long from) {
    struct stat st {};
    if (::stat(path, &st) != 0)
        return false;
    target.device = st.st_dev;
    target.inode = st.st_ino;
    target.from = from;
    target.failures.store(0);
    target.armed.store(true);
    return true;
}

void disarmReadFailure() {
    target.armed.store(false);
}

int readFailures() {
    return target.failures.load();
}

} // namespace scontrix::test

extern "C" {
ssize_t pread(int fd, void* buffer, size_t size, off_t offset) {
    return scontrix::test::failingPread(fd, buffer, size, offset);
}
ssize_t pread64(int fd, void* buffer, size_t size, off_t offset) {
    return scontrix::test::failingPread(fd, buffer, size, offset);
}
}
