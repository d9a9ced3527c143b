#include "lists/ArchiveLists.h"
#include "lists/ListModel.h"
#include "storage/VoucherRecord.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListView>
#include <QRandomGenerator>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <map>

// The list windows' reads of big archives, each measured in the same run
// against reading the same file sequentially (x_read = time / read time), with
// the memory the process grew by over its size before the work (MB_over_idle).
//
// The archives (10 thousand, 100 thousand and a million vouchers, about 1 GB)
// are generated on first use in the temporary folder and kept there for later
// runs; they are never part of the sources.

using namespace scontrix;
using storage::VoucherRecord;

namespace {

QString archiveOf(qint64 records) {
    const QString folder = QDir::temp().filePath(QStringLiteral("scontrix-bench-lists"));
    QDir().mkpath(folder);
    const QString path = folder + QStringLiteral("/archivio_%1.eur").arg(records);
    if (QFileInfo(path).size() == records * VoucherRecord::Size)
        return path;

    const QStringList names = {QStringLiteral("Rossi"),  QStringLiteral("Bianchi"),
                               QStringLiteral("Esposito"), QStringLiteral("Romano"),
                               QStringLiteral("Colombo"), QStringLiteral("Ricci"),
                               QStringLiteral("Marino"), QStringLiteral("Greco"),
                               QStringLiteral("Bruno"),  QStringLiteral("Gallo"),
                               QStringLiteral("Conti"),  QStringLiteral("De Luca")};
    const QStringList first = {QStringLiteral("Mario"), QStringLiteral("Anna"),
                               QStringLiteral("Giulia"), QStringLiteral("Luca"),
                               QStringLiteral("Francesca"), QStringLiteral("Marco"),
                               QStringLiteral("Sara"), QStringLiteral("Paolo")};
    QRandomGenerator random(11);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    QByteArray block;
    for (qint64 i = 0; i < records; ++i) {
        VoucherRecord r;
        r.acquirente = first[random.bounded(static_cast<int>(first.size()))] + u' ' +
                       names[random.bounded(static_cast<int>(names.size()))];
        r.via = QStringLiteral("Via Garibaldi %1").arg(random.bounded(200));
        r.citta = QStringLiteral("Torino");
        r.cel = QStringLiteral("333%1").arg(random.bounded(10000000), 7, 10, QLatin1Char('0'));
        r.num = QString::number(i + 1);
        r.prezzo = QStringLiteral("01/03/2024");
        r.spettatore = QStringLiteral("%1/12/2025").arg(1 + random.bounded(28), 2, 10, QLatin1Char('0'));
        r.posto = first[random.bounded(static_cast<int>(first.size()))] + u' ' +
                  names[random.bounded(static_cast<int>(names.size()))];
        r.evento = QStringLiteral("%1,00").arg(5 * (1 + random.bounded(20)));
        r.luogo = QStringLiteral("Bottega del centro");
        r.scritta = QStringLiteral("Spesa minima %1 euro").arg(10 * (1 + random.bounded(5)));
        r.note = i % 7 == 0 ? QStringLiteral("regalo di compleanno") : QStringLiteral("reso merce");
        r.pagato = random.bounded(10) < 7;
        block += r.toBytes();
        if (block.size() >= (1 << 22)) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
    return path;
}

// The resident size of the process now, in bytes.
qint64 residentBytes() {
    QFile status(QStringLiteral("/proc/self/statm"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = status.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

// Reads the whole file from first to last byte into memory, 1 MB at a time:
// the yardstick.
void readSequentially(const QString& path) {
    static QByteArray buffer(1 << 20, Qt::Uninitialized);
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    qint64 sum = 0;
    while (qint64 got = file.read(buffer.data(), buffer.size())) {
        if (got < 0)
            break;
        sum += static_cast<uchar>(buffer[got - 1]);
    }
    benchmark::DoNotOptimize(sum);
}

// The best of three sequential reads, measured once per file and run.
double sequentialReadSeconds(const QString& path) {
    static std::map<QString, double> measured;
    if (auto it = measured.find(path); it != measured.end())
        return it->second;
    double best = 1e9;
    for (int round = 0; round < 3; ++round) {
        QElapsedTimer timer;
        timer.start();
        readSequentially(path);
        best = std::min(best, static_cast<double>(timer.nsecsElapsed()) / 1e9);
    }
    measured[path] = best;
    return best;
}

// Runs `work` per iteration and reports its time against the sequential read
// and the largest growth of the resident size seen during it.
template <typename Work> void measure(benchmark::State& state, Work&& work) {
    const QString path = archiveOf(state.range(0));
    const double read = sequentialReadSeconds(path);
    const qint64 idle = residentBytes();
    qint64 peak = idle;
    const lists::ScanProgress progress = [&](qint64, qint64) { peak = std::max(peak, residentBytes()); };
    double total = 0;
    for (auto _ : state) {
        QElapsedTimer timer;
        timer.start();
        work(path, progress, peak);
        total += static_cast<double>(timer.nsecsElapsed()) / 1e9;
        peak = std::max(peak, residentBytes());
    }
    const double perRun = total / static_cast<double>(state.iterations());
    state.counters["read_ms"] = read * 1000;
    state.counters["x_read"] = perRun / read;
    state.counters["MB_over_idle"] = static_cast<double>(peak - idle) / (1 << 20);
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

std::vector<lists::SearchFilter> filters(const QList<std::pair<VoucherRecord::Field, QString>>& list) {
    std::vector<lists::SearchFilter> result;
    for (const auto& [field, text] : list)
        result.push_back({field, text});
    return result;
}

void SequentialRead(benchmark::State& state) {
    measure(state, [](const QString& path, const lists::ScanProgress&, qint64&) {
        readSequentially(path);
    });
}

void SearchOneFilter(benchmark::State& state) {
    const lists::SearchFilters f(filters({{VoucherRecord::Field::Acquirente, QStringLiteral("ross")}}));
    measure(state, [&](const QString& path, const lists::ScanProgress& progress, qint64&) {
        benchmark::DoNotOptimize(lists::searchArchive(path, f, progress).rows.size());
    });
}

// Ten filters that most vouchers pass, so that every one of them is tested.
void SearchTenFilters(benchmark::State& state) {
    using F = VoucherRecord::Field;
    const lists::SearchFilters f(filters({{F::Acquirente, QStringLiteral("a")},
                                          {F::Via, QStringLiteral("via g")},
                                          {F::Citta, QStringLiteral("TORINO")},
                                          {F::Cel, QStringLiteral("333")},
                                          {F::Num, QStringLiteral("1")},
                                          {F::Spettatore, QStringLiteral("/2025")},
                                          {F::Posto, QStringLiteral("a")},
                                          {F::Evento, QStringLiteral(",00")},
                                          {F::Scritta, QStringLiteral("spesa minima")},
                                          {F::Note, QStringLiteral("re")}}));
    measure(state, [&](const QString& path, const lists::ScanProgress& progress, qint64&) {
        benchmark::DoNotOptimize(lists::searchArchive(path, f, progress).rows.size());
    });
}

void SearchFindingNothing(benchmark::State& state) {
    const lists::SearchFilters f(filters({{VoucherRecord::Field::Note, QStringLiteral("nessuno cerca questo")}}));
    measure(state, [&](const QString& path, const lists::ScanProgress& progress, qint64&) {
        benchmark::DoNotOptimize(lists::searchArchive(path, f, progress).rows.size());
    });
}

void UnpaidSummary(benchmark::State& state) {
    measure(state, [&](const QString& path, const lists::ScanProgress& progress, qint64&) {
        lists::UnpaidTotals totals;
        lists::ListModel model;
        model.setRows(lists::unpaidVouchers(path, progress, &totals, QDate(2025, 6, 1)).rows);
        benchmark::DoNotOptimize(model.rowCount());
    });
}

// Every voucher listed, sorted and shown in the list box, then scrolled from
// the top to the bottom a page at a time and back to the middle.
void ListAllShownAndScrolled(benchmark::State& state) {
    measure(state, [&](const QString& path, const lists::ScanProgress& progress, qint64& peak) {
        lists::ListModel model;
        QListView view;
        view.setUniformItemSizes(true);
        view.setFont(model.itemFont());
        view.resize(801, 273);
        view.setModel(&model);
        view.show();
        const lists::SearchFilters all(filters({}));
        model.setRows(lists::searchArchive(path, all, progress).rows);
        QApplication::processEvents();
        QScrollBar* bar = view.verticalScrollBar();
        for (int i = 0; i < 20; ++i) {
            bar->setValue(bar->maximum() * i / 19);
            QApplication::processEvents();
        }
        bar->setValue(bar->maximum() / 2);
        QApplication::processEvents();
        peak = std::max(peak, residentBytes());
        benchmark::DoNotOptimize(model.rowCount());
    });
}

void sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond)->MinTime(1.0);
}

} // namespace

BENCHMARK(SequentialRead)->Apply(sizes);
BENCHMARK(SearchOneFilter)->Apply(sizes);
BENCHMARK(SearchTenFilters)->Apply(sizes);
BENCHMARK(SearchFindingNothing)->Apply(sizes);
BENCHMARK(UnpaidSummary)->Apply(sizes);
BENCHMARK(ListAllShownAndScrolled)->Apply(sizes);
