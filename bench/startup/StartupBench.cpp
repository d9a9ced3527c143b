// Start-up to the login window drawn, beside a minimal Qt Widgets program
// that shows one empty window: both are run as processes in turn, under the
// same platform (offscreen unless QT_QPA_PLATFORM says otherwise), and each
// is timed from its start to its end after the first paint. Peak memory is
// the resident size the kernel reports for each process.
#include <QElapsedTimer>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

struct Run {
    double seconds;
    double peakMB;
    bool ok;
};

Run runProcess(const char* path) {
    QElapsedTimer clock;
    clock.start();
    pid_t pid = 0;
    char* const argv[] = {const_cast<char*>(path), nullptr};
    if (posix_spawn(&pid, path, nullptr, nullptr, argv, environ) != 0)
        return {0, 0, false};
    int status = 0;
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return {double(clock.nsecsElapsed()) / 1e9, double(usage.ru_maxrss) / 1024,
            WIFEXITED(status) && WEXITSTATUS(status) == 0};
}

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

void StartupToLoginWindow(benchmark::State& state) {
    std::vector<double> login, minimal, ratio;
    double loginMB = 0, minimalMB = 0;
    for (auto _ : state) {
        const Run m = runProcess(SCONTRIX_MINIMAL_PROBE);
        const Run l = runProcess(SCONTRIX_LOGIN_PROBE);
        if (!m.ok || !l.ok) {
            state.SkipWithError("a probe did not show its window");
            return;
        }
        state.SetIterationTime(l.seconds);
        login.push_back(l.seconds);
        minimal.push_back(m.seconds);
        ratio.push_back(l.seconds / m.seconds);
        loginMB = std::max(loginMB, l.peakMB);
        minimalMB = std::max(minimalMB, m.peakMB);
    }
    state.counters["minimal_ms"] = median(minimal) * 1000;
    state.counters["login_ms"] = median(login) * 1000;
    state.counters["x_minimal"] = median(ratio);
    state.counters["MB"] = loginMB;
    state.counters["minimal_MB"] = minimalMB;
}

} // namespace

BENCHMARK(StartupToLoginWindow)->Iterations(30)->UseManualTime()->Unit(benchmark::kMillisecond);
