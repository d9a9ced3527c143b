#pragma once

#include <csignal>
#include <sys/resource.h>

namespace scontrix::test {

// Makes every write that would grow a file past `bytes` fail, for the lifetime
// of the guard. Unlike a read-only folder this holds for root too, so the
// failure paths are exercised on CI as well.
class WriteFailure {
public:
    explicit WriteFailure(rlim_t bytes = 8) {
        getrlimit(RLIMIT_FSIZE, &saved_);
        previousHandler_ = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = saved_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~WriteFailure() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        std::signal(SIGXFSZ, previousHandler_);
    }
    WriteFailure(const WriteFailure&) = delete;
    WriteFailure& operator=(const WriteFailure&) = delete;

private:
    rlimit saved_{};
    void (*previousHandler_)(int) = nullptr;
};

} // namespace scontrix::test
