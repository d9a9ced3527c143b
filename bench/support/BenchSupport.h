#pragma once

#include <QByteArray>
#include <QString>
#include <benchmark/benchmark.h>
#include <functional>
#include <sqlite3.h>
#include <string>
#include <vector>

// What every benchmark over big archives shares: the generated archives, the
// same vouchers in an SQLite table, the two yardsticks and the memory figures.
//
// Archives of 10 thousand, 100 thousand and a million vouchers (the million is
// about 1 GB) come from scontrix_testdata and are made on first use in
// $SCONTRIX_BENCH_DIR (the system's temporary folder by default) under
// scontrix-bench/, with their SQLite databases beside them; later runs reuse
// them. Nothing generated is part of the sources.
namespace scontrix::bench {

// The archive of `vouchers` generated vouchers, already in the page cache.
QString archiveOf(qint64 vouchers);

// An SQLite database holding the same vouchers in a table `vouchers`, built
// once per size outside every measurement: one row per voucher, `pos` its
// position (INTEGER PRIMARY KEY), one TEXT column per field named as the
// record's fields (decoded, trimmed, UTF-8), and `cents` and `expiry` (the
// value in cents, the expiry date as YYYY-MM-DD) for the summary.
QString databaseOf(qint64 vouchers);

// An open connection, read only.
class Database {
public:
    explicit Database(const QString& path);
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;
    sqlite3* handle() const { return db_; }

    // Runs `sql`, binding `texts` to its parameters in order, and calls
    // `row` with the statement for every result row.
    void query(const char* sql, const std::vector<QByteArray>& texts,
               const std::function<void(sqlite3_stmt*)>& row) const;

private:
    sqlite3* db_ = nullptr;
};

// Rows kept as the program keeps its own: all bytes in one block, one end
// offset each.
struct RowBlock {
    std::string bytes;
    std::vector<qint64> ends;
    void add(const unsigned char* text, int size) {
        bytes.append(reinterpret_cast<const char*>(text), std::size_t(size));
        ends.push_back(qint64(bytes.size()));
    }
};

// Reads the whole file from its first to its last byte in 1 MB blocks.
void readSequentially(const QString& path);

// The memory the process holds now and at most since the last reset, in bytes.
qint64 residentBytes();
void resetPeak();
qint64 peakBytes();

// One side of a comparison: the work of one iteration, which may measure the
// peak memory itself when it holds what it made until it returns.
using Work = std::function<void()>;

// Measures `ours` in every iteration beside the sequential read of `archive`
// and `sqlite`, in turn, so that all three meet the same load of the machine.
// The benchmark's time is ours; counters: read_ms and sqlite_ms (medians),
// x_read and x_sqlite (the medians of the ratios per iteration), ns_per_voucher,
// MB (the largest peak of resident memory over the size before the work) and
// sqlite_MB. `before`, when given, runs untimed before each side (to remove
// what the previous iteration left, as a yardstick does).
void compare(benchmark::State& state, const QString& archive, const Work& ours, const Work& sqlite,
             const Work& before = {});

// 10 thousand, 100 thousand and a million vouchers, fewer iterations the
// larger the archive, manual time in milliseconds.
void sizes(benchmark::internal::Benchmark* b);

} // namespace scontrix::bench
