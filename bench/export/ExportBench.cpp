// The export of big archives, each measured beside what it cannot beat:
// filling the grid against reading the archive sequentially, writing the
// spreadsheet against a plain buffered write of as many bytes. Archives of
// 10 thousand, 100 thousand and 1 million vouchers are generated for the run
// in a temporary folder (SCONTRIX_BENCH_DIR or the system's) and removed
// after it; they are read once before measuring, so they are in the page
// cache.
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

// Vouchers as a shop fills them in: names, streets and notes of ordinary
// lengths, a few values and conditions repeated.
storage::VoucherRecord voucher(qint64 n) {
    static const char* const names[] = {"Mario Rossi", "Anna Bianchi", "Giuseppe Verdi",
                                        "Lucia Esposito", "Francesco Romano", "Giulia Colombo"};
    static const char* const towns[] = {"Forlì", "Cesena", "Ravenna", "Rimini", "Bologna"};
    storage::VoucherRecord r;
    r.acquirente = QString::fromUtf8(names[n % 6]) + QStringLiteral(" %1").arg(n % 977);
    r.via = QStringLiteral("Via Giuseppe Garibaldi %1").arg(n % 150 + 1);
    r.citta = QString::fromUtf8(towns[n % 5]);
    r.cel = QStringLiteral("333%1").arg(n % 10000000, 7, 10, QLatin1Char('0'));
    r.num = QString::number(n);
    r.prezzo = QStringLiteral("01/03/2024");
    r.spettatore = QStringLiteral("31/12/2024");
    r.posto = QString::fromUtf8(names[(n + 3) % 6]);
    r.evento = QStringLiteral("%1,00").arg((n % 10 + 1) * 5);
    r.luogo = QStringLiteral("Bar & Caffè Centrale, Piazza Saffi");
    r.scritta = QStringLiteral("Spesa minima 50 €, non cumulabile con altre promozioni");
    r.note = n % 3 ? QStringLiteral("Reso merce scontrino n. %1").arg(n) : QString();
    r.pagato = n % 4 == 0;
    return r;
}

// The archive of `count` vouchers, generated once per run.
QString archiveOf(qint64 count) {
    static std::map<qint64, QString> made;
    if (const auto it = made.find(count); it != made.end())
        return it->second;
    const QString path = workFolder().filePath(QStringLiteral("Archivio%1.eur").arg(count));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {};
    QByteArray chunk;
    for (qint64 n = 1; n <= count; ++n) {
        chunk += voucher(n).toBytes();
        if (chunk.size() >= Block || n == count) {
            file.write(chunk);
            chunk.clear();
        }
    }
    file.close();
    // Into the page cache.
    QFile warm(path);
    warm.open(QIODevice::ReadOnly);
    QByteArray buffer(Block, Qt::Uninitialized);
    while (warm.read(buffer.data(), Block) > 0) {
    }
    made[count] = path;
    return path;
}

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

// The editor's part in opening the window: a window holding the archive path.
struct Owner {
    QWidget widget;
    QLabel* lblFile = new QLabel(&widget);
    explicit Owner(const QString& archive) {
        lblFile->setObjectName(QStringLiteral("lblFile"));
        lblFile->setText(archive);
    }
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

// The yardstick for filling: the archive read from start to end in 1 MB blocks.
void ReadArchiveSequentially(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    QByteArray buffer(Block, Qt::Uninitialized);
    for (auto _ : state) {
        QFile file(path);
        file.open(QIODevice::ReadOnly | QIODevice::Unbuffered);
        qint64 total = 0;
        for (qint64 got; (got = file.read(buffer.data(), Block)) > 0;)
            total += got;
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

void FillGridTable(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    for (auto _ : state) {
        exporting::VoucherTable table;
        if (table.fill(path) != exporting::VoucherTable::Fill::Complete)
            state.SkipWithError("filling failed");
        benchmark::DoNotOptimize(table.rowCount());
    }
    state.SetBytesProcessed(state.iterations() * QFileInfo(path).size());
}

// From the click that opens the window to the grid painted with its first rows.
void OpenWindow(benchmark::State& state) {
    const QString path = archiveOf(state.range(0));
    const QuietDesktop desktop;
    for (auto _ : state) {
        Owner owner(path);
        QElapsedTimer clock;
        clock.start();
        auto window = std::make_unique<exporting::TfrmExpBiglietti>(&owner.widget);
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
    exporting::VoucherTable table;
    table.fill(archiveOf(state.range(0)));
    const QString path = workFolder().filePath(QStringLiteral("Buoni_Acquisto.xls"));
    for (auto _ : state) {
        if (exporting::writeSpreadsheet(path, table) != exporting::WriteEnd::Written)
            state.SkipWithError("writing failed");
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
    state.SetBytesProcessed(state.iterations() * exportSize(state.range(0)));
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
            exporting::TfrmExpBiglietti window(&owner.widget);
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
BENCHMARK(ReadArchiveSequentially)->Apply(Sizes);
BENCHMARK(FillGridTable)->Apply(Sizes);
BENCHMARK(OpenWindow)->Apply(Sizes)->UseManualTime();
BENCHMARK(PlainBufferedWrite)->Apply(WriteSizes);
BENCHMARK(WriteSpreadsheet)->Apply(Sizes);

} // namespace
