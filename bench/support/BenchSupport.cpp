#include "BenchSupport.h"

#include "ArchiveGenerator.h"
#include "lists/UnpaidTotals.h"
#include "storage/VoucherRecord.h"

#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <malloc.h>
#include <map>
#include <stdexcept>

namespace scontrix::bench {

namespace {

using storage::VoucherRecord;

constexpr std::uint64_t Seed = 14;
constexpr qint64 Block = qint64(1) << 20;

QString folder() {
    const QString dir = qEnvironmentVariable("SCONTRIX_BENCH_DIR", QDir::tempPath()) +
                        QStringLiteral("/scontrix-bench");
    QDir().mkpath(dir);
    return dir;
}

void check(int rc, sqlite3* db, const char* what) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        throw std::runtime_error(std::string(what) + ": " + sqlite3_errmsg(db));
}

// The record fields in table order, with their column names.
constexpr std::pair<VoucherRecord::Field, const char*> Columns[] = {
    {VoucherRecord::Field::Num, "num"},
    {VoucherRecord::Field::Acquirente, "acquirente"},
    {VoucherRecord::Field::Via, "via"},
    {VoucherRecord::Field::Citta, "citta"},
    {VoucherRecord::Field::Cel, "cel"},
    {VoucherRecord::Field::Prezzo, "prezzo"},
    {VoucherRecord::Field::Spettatore, "spettatore"},
    {VoucherRecord::Field::Posto, "posto"},
    {VoucherRecord::Field::Evento, "evento"},
    {VoucherRecord::Field::Luogo, "luogo"},
    {VoucherRecord::Field::Scritta, "scritta"},
    {VoucherRecord::Field::Note, "note"},
    {VoucherRecord::Field::Pagato, "pagato"},
};

void buildDatabase(const QString& archive, const QString& path) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    check(sqlite3_open(QFile::encodeName(path).constData(), &db), db, "open");
    std::string create = "CREATE TABLE vouchers(pos INTEGER PRIMARY KEY";
    std::string insert = "INSERT INTO vouchers VALUES(?";
    for (const auto& [field, name] : Columns) {
        create += std::string(", ") + name + " TEXT";
        insert += ",?";
    }
    create += ", cents INTEGER, expiry TEXT)";
    insert += ",?,?)";
    check(sqlite3_exec(db, "PRAGMA journal_mode=OFF; PRAGMA synchronous=OFF; BEGIN", nullptr,
                       nullptr, nullptr),
          db, "pragmas");
    check(sqlite3_exec(db, create.c_str(), nullptr, nullptr, nullptr), db, "create");
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db, insert.c_str(), -1, &statement, nullptr), db, "prepare");

    QFile file(archive);
    file.open(QIODevice::ReadOnly);
    const qint64 perBlock = Block / VoucherRecord::Size;
    QByteArray buffer(perBlock * VoucherRecord::Size, Qt::Uninitialized);
    qint64 position = 0;
    for (qint64 got; (got = file.read(buffer.data(), buffer.size())) >= VoucherRecord::Size;) {
        for (qint64 at = 0; at + VoucherRecord::Size <= got; at += VoucherRecord::Size) {
            const VoucherRecord r = VoucherRecord::fromRaw(buffer.constData() + at);
            sqlite3_bind_int64(statement, 1, ++position);
            int column = 2;
            for (const auto& [field, name] : Columns) {
                const QByteArray text = r.text(field).toUtf8();
                sqlite3_bind_text(statement, column++, text.constData(), int(text.size()),
                                  SQLITE_TRANSIENT);
            }
            if (const auto cents = lists::amountInCents(r.evento))
                sqlite3_bind_int64(statement, column++, static_cast<sqlite3_int64>(*cents));
            else
                sqlite3_bind_null(statement, column++);
            const QDate expiry = QDate::fromString(r.spettatore, QStringLiteral("dd/MM/yyyy"));
            const QByteArray iso =
                expiry.isValid() ? expiry.toString(Qt::ISODate).toLatin1() : QByteArray();
            if (expiry.isValid())
                sqlite3_bind_text(statement, column++, iso.constData(), int(iso.size()),
                                  SQLITE_TRANSIENT);
            else
                sqlite3_bind_null(statement, column++);
            check(sqlite3_step(statement), db, "insert");
            sqlite3_reset(statement);
        }
    }
    sqlite3_finalize(statement);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db, "commit");
    sqlite3_close(db);
}

double median(std::vector<double> values) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

qint64 statusBytes(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toLongLong() *
                   1024;
    }
    return 0;
}

} // namespace

QString archiveOf(qint64 vouchers) {
    static std::map<qint64, QString> made;
    if (const auto it = made.find(vouchers); it != made.end())
        return it->second;
    const QString path = folder() + QStringLiteral("/archivio_%1_s%2.eur").arg(vouchers).arg(Seed);
    testdata::ArchiveSpec spec;
    spec.vouchers = vouchers;
    spec.seed = Seed;
    if (QFileInfo(path).size() != vouchers * VoucherRecord::Size) {
        QString error;
        if (!testdata::writeArchive(path, spec, nullptr, &error))
            throw std::runtime_error(error.toStdString());
    }
    readSequentially(path); // into the page cache
    made[vouchers] = path;
    return path;
}

QString databaseOf(qint64 vouchers) {
    static std::map<qint64, QString> made;
    if (const auto it = made.find(vouchers); it != made.end())
        return it->second;
    const QString archive = archiveOf(vouchers);
    const QString path = folder() + QStringLiteral("/buoni_%1_s%2.sqlite").arg(vouchers).arg(Seed);
    if (!QFileInfo::exists(path)) {
        const QString part = path + QStringLiteral(".part");
        buildDatabase(archive, part);
        QFile::rename(part, path);
    }
    readSequentially(path);
    made[vouchers] = path;
    return path;
}

Database::Database(const QString& path) {
    check(sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, SQLITE_OPEN_READONLY, nullptr),
          db_, "open");
}

Database::~Database() {
    sqlite3_close(db_);
}

void Database::query(const char* sql, const std::vector<QByteArray>& texts,
                     const std::function<void(sqlite3_stmt*)>& row) const {
    sqlite3_stmt* statement = nullptr;
    check(sqlite3_prepare_v2(db_, sql, -1, &statement, nullptr), db_, sql);
    for (std::size_t i = 0; i < texts.size(); ++i)
        sqlite3_bind_text(statement, int(i + 1), texts[i].constData(), int(texts[i].size()),
                          SQLITE_STATIC);
    int rc;
    while ((rc = sqlite3_step(statement)) == SQLITE_ROW)
        row(statement);
    check(rc, db_, sql);
    sqlite3_finalize(statement);
}

void readSequentially(const QString& path) {
    static QByteArray buffer(Block, Qt::Uninitialized);
    QFile file(path);
    file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
    qint64 sum = 0;
    for (qint64 got; (got = file.read(buffer.data(), Block)) > 0;)
        sum += static_cast<uchar>(buffer[got - 1]);
    benchmark::DoNotOptimize(sum);
}

qint64 residentBytes() {
    return statusBytes("VmRSS:");
}

void resetPeak() {
    malloc_trim(0);
    QFile reset(QStringLiteral("/proc/self/clear_refs"));
    if (reset.open(QIODevice::WriteOnly))
        reset.write("5");
}

qint64 peakBytes() {
    return statusBytes("VmHWM:");
}

void compare(benchmark::State& state, const QString& archive, const Work& ours, const Work& sqlite,
             const Work& before) {
    std::vector<double> read, mine, theirs, xRead, xSqlite;
    qint64 oursPeak = 0;
    qint64 sqlitePeak = 0;
    const auto timed = [&before](const Work& work, qint64& peak) {
        if (before)
            before();
        resetPeak();
        const qint64 idle = residentBytes();
        QElapsedTimer clock;
        clock.start();
        work();
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        peak = std::max(peak, peakBytes() - idle);
        return seconds;
    };
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        readSequentially(archive);
        read.push_back(double(clock.nsecsElapsed()) / 1e9);
        mine.push_back(timed(ours, oursPeak));
        theirs.push_back(timed(sqlite, sqlitePeak));
        state.SetIterationTime(mine.back());
        xRead.push_back(mine.back() / read.back());
        xSqlite.push_back(mine.back() / theirs.back());
    }
    state.counters["read_ms"] = median(read) * 1000;
    state.counters["sqlite_ms"] = median(theirs) * 1000;
    state.counters["x_read"] = median(xRead);
    state.counters["x_sqlite"] = median(xSqlite);
    state.counters["ns_per_voucher"] = median(mine) * 1e9 / double(state.range(0));
    state.counters["MB"] = double(oursPeak) / (1 << 20);
    state.counters["sqlite_MB"] = double(sqlitePeak) / (1 << 20);
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->UseManualTime();
}

} // namespace scontrix::bench
