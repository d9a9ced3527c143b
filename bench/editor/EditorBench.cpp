// Opening the editor on a big archive and jumping to its last voucher. The
// jump (the "last" button: open the archive, count, read one record, show it
// with its picture, drawn) is measured beside reading the archive
// sequentially and beside SQLite opening the database and reading the row of
// the highest position; opening the window (shown, drawn, closed again) is
// the counter open_ms. Neither may grow with the archive.
#include "BenchSupport.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "editor/TfrmBiglietti.h"
#include "platform/Recording.h"
#include "storage/VoucherRecord.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <algorithm>

using namespace scontrix;
using namespace scontrix::bench;

namespace {

void JumpToLastVoucher(benchmark::State& state) {
    const QString archive = archiveOf(state.range(0));
    const QString database = databaseOf(state.range(0));
    QTemporaryDir folder;
    platform::RecordingMessageBoxes messages;
    platform::RecordingShell shell;
    platform::FixedProgramFolder programFolder(folder.path() + u'/');
    const platform::ScopedSeam<platform::MessageBoxes> m(messages);
    const platform::ScopedSeam<platform::Shell> s(shell);
    const platform::ScopedSeam<platform::ProgramFolder> f(programFolder);
    app::WindowSet windows;
    windows.setEndHandler([] {});
    editor::TfrmBiglietti* ed = windows.frmBiglietti();
    windows.handOver(windows.frmPassword(), windows.frmAvvio());
    QApplication::processEvents();

    ed->openArchive(
        {archive, QStringLiteral("Negozio"), folder.path() + QStringLiteral("/Negozio.ini")});
    std::vector<double> opening;
    for (int i = 0; i < 9; ++i) {
        QElapsedTimer clock;
        clock.start();
        windows.handOver(windows.frmAvvio(), ed);
        ed->repaint();
        QApplication::processEvents();
        ed->close();
        QApplication::processEvents();
        opening.push_back(double(clock.nsecsElapsed()) / 1e6);
    }
    std::sort(opening.begin(), opening.end());
    windows.handOver(windows.frmAvvio(), ed);
    QApplication::processEvents();

    QString shown;
    compare(
        state, archive,
        [&] {
            ed->cmdUltimoClick();
            ed->repaint();
            QApplication::processEvents();
            shown = ed->lblPosizione->text();
        },
        [&] {
            const Database db(database);
            QStringList fields;
            db.query("SELECT * FROM vouchers WHERE pos = (SELECT max(pos) FROM vouchers)", {},
                     [&](sqlite3_stmt* st) {
                         for (int c = 0; c < sqlite3_column_count(st); ++c)
                             fields << QString::fromUtf8(
                                 reinterpret_cast<const char*>(sqlite3_column_text(st, c)),
                                 sqlite3_column_bytes(st, c));
                     });
            benchmark::DoNotOptimize(fields.size());
        });
    state.counters["open_ms"] = opening[opening.size() / 2];
    if (shown != QString::number(state.range(0)))
        state.SkipWithError("the editor did not show the last voucher");
}

} // namespace

BENCHMARK(JumpToLastVoucher)->Apply(sizes);
