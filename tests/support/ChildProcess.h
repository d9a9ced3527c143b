#pragma once

#include <csignal>
#include <cstdio>
#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace scontrix::test {

// Runs `check` in a forked child and returns its exit code, or 128 plus the
// signal that ended it. For code that, when wrong, never returns (an open()
// that waits for the other end of a FIFO): the child is killed by an alarm
// after `watchdogSeconds` instead of hanging the test run. The watchdog only
// bounds a hang; nothing is measured by it.
inline int runInChild(const std::function<int()>& check, unsigned watchdogSeconds = 30) {
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0)
        return -1;
    if (pid == 0) {
        std::signal(SIGALRM, SIG_DFL);
        ::alarm(watchdogSeconds);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid)
        return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// What runInChild's code means when it is a signal, for a failure's message.
inline const char* ChildCodes = "128+14: blocked until the watchdog's alarm";

} // namespace scontrix::test
