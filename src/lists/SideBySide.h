#pragma once

#include <QtGlobal>
#include <chrono>
#include <functional>
#include <future>
#include <system_error>
#include <utility>

namespace scontrix::lists {

// The big scans and sorts of the lists are split in two halves worked on at
// once, one on the calling thread and one on a thread of its own, since the
// machines the program runs on have two cores or more. Below these sizes a
// thread costs more than it saves and everything stays on the caller's thread.
// Both paths give the same bytes in the same order.
struct Splitting {
    qint64 scanRecords = 16384; // about 17 MB of archive
    qsizetype sortRows = 16384;
    // Not a split, but a size alike: below it a list is sorted in one piece
    // rather than spread over buckets first.
    qsizetype bucketRows = 16384;
};
// The sizes in use, and a way to change them (tests split tiny archives so
// that both paths meet the same bytes); returns the previous ones.
const Splitting& splitting();
Splitting setSplitting(const Splitting& sizes);

// Runs `second` on a thread of its own while `first` runs here, and returns
// once both have ended. While `first` is done and `second` is not, `waiting`
// (when given) is called about every 50 ms on this thread, so that a window
// can keep itself drawn. An exception thrown by either is thrown here once
// both have ended, the first's before the second's. When no thread can be
// started, the two run one after the other here.
template <typename First, typename Second>
void runSideBySide(First&& first, Second&& second, const std::function<void()>& waiting = {}) {
    std::future<void> other;
    try {
        other = std::async(std::launch::async, second);
    } catch (const std::system_error&) {
        // No thread to be had (a limit of the system): one after the other.
        first();
        second();
        return;
    }
    std::exception_ptr failure;
    try {
        first();
    } catch (...) {
        failure = std::current_exception();
    }
    while (other.wait_for(std::chrono::milliseconds(50)) != std::future_status::ready) {
        if (waiting && !failure)
            waiting();
    }
    if (failure)
        std::rethrow_exception(failure);
    other.get();
}

} // namespace scontrix::lists
