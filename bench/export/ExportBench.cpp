// The export of big archives. Filling the grid and writing the spreadsheet
// are each measured in the same run beside reading the archive sequentially
// and beside the same work over SQLite (bench/support): the thirteen columns of
// every voucher selected and copied into one block, or streamed into the same
// spreadsheet markup through the same escaping. Writing is also set beside a
// plain buffered write of as many bytes. The archives are those of
// bench/support; written files go to a temporary folder removed afterwards.
#include "BenchSupport.h"
#include "export/SpreadsheetFile.h"
#include "export/TfrmExpBiglietti.h"
#include "export/VoucherTable.h"
#include "platform/ProgramFolder.h"
#include "platform/Recording.h"
#include "storage/VoucherRecord.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QSaveFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <map>
#include <memory>
#include <unistd.h>

using namespace scontrix;

namespace {

constexpr qint64 Block = qint64(1) << 20;

QTemporaryDir& workFolder() {
    static QTemporaryDir dir(qEnvironmentVariable("SCONTRIX_BENCH_DIR", QDir::tempPath()) +
                             QStringLiteral("/scontrix-bench-XXXXXX"));
    return dir;
}

using bench::archiveOf;

qint64 statusKiB(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(qsizetype(qstrlen(key))).trimmed().split(' ').first().toLongLong();
    }
    return -1;
}

// The editor's part in opening the window: an owner, and the archive it hands over.
struct Owner {
    QWidget widget;
    voucher::OpenArchive archive;
    explicit Owner(const QString& path) : archive{path, QStringLiteral("Negozio"), {}} {}
};

// The desktop's services answered without anything appearing.
struct QuietDesktop {
    platform::RecordingMessageBoxes messages;
    platform::RecordingShell shell;
    platform::FixedProgramFolder folder{workFolder().path() + u'/'};
    platform::ScopedSeam<platform::MessageBoxes> m{messages};
    platform::ScopedSeam<platform::Shell> s{shell};
    platform::ScopedSeam<platform::ProgramFolder> f{folder};
};

// ------------------------------------------------------------------ reading

// The thirteen exported columns of every voucher, in the grid's order.
constexpr char SqlCells[] =
    "SELECT num, acquirente, via, citta, cel, prezzo, spettatore, posto, evento, luogo, "
    "scritta, note, pagato FROM vouchers ORDER BY pos";

void FillGridTable(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    const bench::Database db(bench::databaseOf(state.range(0)));
    bench::compare(
        state, path,
        [&] {
            exporting::VoucherTable table;
            if (table.fill(path) != exporting::VoucherTable::Fill::Complete)
                state.SkipWithError("filling failed");
            benchmark::DoNotOptimize(table.rowCount());
        },
        [&] {
            bench::RowBlock cells;
            db.query(SqlCells, {}, [&](sqlite3_stmt* s) {
                for (int c = 0; c < 13; ++c)
                    cells.add(sqlite3_column_text(s, c), sqlite3_column_bytes(s, c));
            });
            benchmark::DoNotOptimize(cells.ends.size());
        });
}

// From the click that opens the window to the grid painted with its first rows.
void OpenWindow(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    const QuietDesktop desktop;
    for (auto _ : state) {
        Owner owner(path);
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<exporting::TfrmExpBiglietti>(&owner.widget, owner.archive);
        window->show();
        window->repaint();
        QApplication::processEvents();
        state.SetIterationTime(double(clock.nsecsElapsed()) / 1e9);
        if (window->records()->rowCount() != state.range(0))
            state.SkipWithError("grid not filled");
    }
}

// ------------------------------------------------------------------ writing

qint64 exportSize(qint64 count) {
    static std::map<qint64, qint64> sizes;
    if (const auto it = sizes.find(count); it != sizes.end())
        return it->second;
    exporting::VoucherTable table;
    table.fill(archiveOf(count));
    const QString path = workFolder().filePath(QStringLiteral("misura.xls"));
    if (!exporting::writeSpreadsheet(path, table))
        return 0;
    sizes[count] = QFileInfo(path).size();
    QFile::remove(path);
    return sizes[count];
}

// The yardstick for writing: as many bytes through a plain buffered file,
// in 1 MB pieces, into the same folder.
void PlainBufferedWrite(benchmark::State& state) {
    const qint64 size = exportSize(state.range(0));
    const bool sync = state.range(1) != 0;
    const QByteArray piece(Block, 'x');
    const QString path = workFolder().filePath(QStringLiteral("semplice.xls"));
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::WriteOnly | QIODevice::Truncate);
        for (qint64 left = size; left > 0; left -= Block)
            file.write(piece.constData(), std::min(left, Block));
        file.flush();
        if (sync)
            ::fdatasync(file.handle());
        file.close();
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * size);
}

void WriteSpreadsheet(benchmark::State& state) {
    const QString archive = archiveOf(state.range(0));
    const bench::Database db(bench::databaseOf(state.range(0)));
    exporting::VoucherTable table;
    table.fill(archive);
    const QString path = workFolder().filePath(QStringLiteral("Buoni_Acquisto.xls"));
    // Each side writes a new file, as the yardstick does: replacing an export
    // of the same size would add the freeing of its pages (about 150 ms for
    // a million vouchers), which is the kernel's work, not writing.
    const auto removePrevious = [&path] { QFile::remove(path); };
    bench::compare(
        state, archive,
        [&] {
            if (exporting::writeSpreadsheet(path, table) != exporting::WriteEnd::Written)
                state.SkipWithError("writing failed");
        },
        [&] {
            // The same markup from the query, through the same escaping and
            // the same kind of file, put in place once it reached the disk.
            QSaveFile file(path);
            file.open(QIODevice::WriteOnly);
            QByteArray buffer = exporting::spreadsheetHead();
            db.query(SqlCells, {}, [&](sqlite3_stmt* s) {
                buffer += "<tr>";
                for (int c = 0; c < 13; ++c) {
                    buffer += R"(<td style="text-align: left;" sdnum="1040;0;@">)";
                    exporting::appendEscaped(
                        buffer, reinterpret_cast<const char*>(sqlite3_column_text(s, c)),
                        sqlite3_column_bytes(s, c));
                    buffer += "</td>";
                }
                buffer += "</tr>";
                if (buffer.size() >= Block) {
                    file.write(buffer);
                    buffer.resize(0);
                }
            });
            buffer += exporting::spreadsheetTail();
            file.write(buffer);
            file.commit();
        },
        removePrevious);
    QFile::remove(path);
    state.counters["MB_written"] = double(exportSize(state.range(0))) / (1 << 20);
}

// ------------------------------------------------------------------ memory

// The most memory the process holds while the window opens on the archive
// and exports it, over what it held just before: run first for each size,
// with the peak mark of the kernel reset.
void PeakMemory(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    const QuietDesktop desktop;
    for (auto _ : state) {
        malloc_trim(0);
        QFile reset(QStringLiteral("/proc/self/clear_refs"));
        if (!reset.open(QIODevice::WriteOnly) || reset.write("5") != 1)
            state.SkipWithError("cannot reset the peak memory mark");
        reset.close();
        const qint64 idle = statusKiB("VmRSS:");
        {
            Owner owner(path);
            exporting::TfrmExpBiglietti window(&owner.widget, owner.archive);
            window.show();
            window.repaint();
            QApplication::processEvents();
            window.cmdEsportaClick();
        }
        const qint64 peak = statusKiB("VmHWM:");
        state.counters["idle_MB"] = double(idle) / 1024;
        state.counters["peak_over_idle_MB"] = double(peak - idle) / 1024;
        QFile::remove(workFolder().filePath(QStringLiteral("Buoni_Acquisto.xls")));
    }
}

void Sizes(benchmark::internal::Benchmark* b) {
    b->Arg(10'000)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
}

void WriteSizes(benchmark::internal::Benchmark* b) {
    for (const qint64 n : {10'000, 100'000, 1'000'000})
        b->Args({n, 0})->Args({n, 1});
    b->ArgNames({"vouchers", "sync"})->Unit(benchmark::kMillisecond);
}

BENCHMARK(PeakMemory)->Apply(Sizes)->Iterations(1);
BENCHMARK(FillGridTable)->Apply(bench::sizes);
BENCHMARK(OpenWindow)->Apply(Sizes)->UseManualTime();
BENCHMARK(PlainBufferedWrite)->Apply(WriteSizes);
BENCHMARK(WriteSpreadsheet)->Apply(bench::sizes);

} // namespace
