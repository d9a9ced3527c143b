// scontrix-genarchive: writes a generated archive for benchmarks and manual
// trials. Run without arguments for its usage.
#include "ArchiveGenerator.h"

#include <QElapsedTimer>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: scontrix-genarchive [--seed N] [--cashed SHARE] [--odd-every N]\n"
                 "                           [--incomplete-tail] VOUCHERS FILE.eur\n"
                 "  --seed N           the same seed gives the same bytes (default 1)\n"
                 "  --cashed SHARE     share of cashed vouchers, 0 to 1 (default 0.35)\n"
                 "  --odd-every N      about one record in N has odd bytes; 0: none (default 500)\n"
                 "  --incomplete-tail  end with part of one more record, as a cut save leaves it\n");
    return 2;
}

bool number(const char* text, long long* out) {
    char* end = nullptr;
    *out = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && *out >= 0;
}

} // namespace

int main(int argc, char** argv) {
    scontrix::testdata::ArchiveSpec spec;
    const char* positional[2] = {};
    int positionals = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        long long n = 0;
        if (arg == "--seed" && hasValue && number(argv[i + 1], &n)) {
            spec.seed = static_cast<std::uint64_t>(n);
            ++i;
        } else if (arg == "--odd-every" && hasValue && number(argv[i + 1], &n)) {
            spec.oddEvery = n;
            ++i;
        } else if (arg == "--cashed" && hasValue) {
            spec.cashedShare = std::atof(argv[++i]);
        } else if (arg == "--incomplete-tail") {
            spec.incompleteTail = true;
        } else if (arg.rfind("--", 0) != 0 && positionals < 2) {
            positional[positionals++] = argv[i];
        } else {
            return usage();
        }
    }
    long long vouchers = 0;
    if (positionals != 2 || !number(positional[0], &vouchers))
        return usage();
    spec.vouchers = vouchers;

    QElapsedTimer timer;
    timer.start();
    scontrix::testdata::ArchiveSummary summary;
    QString error;
    const QString path = QString::fromLocal8Bit(positional[1]);
    if (!scontrix::testdata::writeArchive(path, spec, &summary, &error)) {
        std::fprintf(stderr, "cannot write %s: %s\n", positional[1], qPrintable(error));
        return 1;
    }
    std::printf("%s: %lld vouchers (%lld cashed, %lld odd), %lld bytes%s, %.2f s\n",
                positional[1], static_cast<long long>(summary.records),
                static_cast<long long>(summary.cashed), static_cast<long long>(summary.odd),
                static_cast<long long>(summary.bytes()),
                summary.tailBytes ? " with an incomplete last record" : "",
                static_cast<double>(timer.elapsed()) / 1000.0);
    return 0;
}
