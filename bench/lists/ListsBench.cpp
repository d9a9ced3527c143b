// The list windows' work over generated archives of 10 thousand, 100 thousand
// and a million vouchers, each measured in the same run beside reading the
// archive sequentially and beside the same query in SQLite over a table of the
// same vouchers (bench/support). Every search and the summary are what the
// window does before it shows its list: scan, build the rows, sort them; the
// SQLite side builds the same rows in its query, sorts them there and copies
// them out into one block.
#include "BenchSupport.h"
#include "lists/ArchiveLists.h"
#include "lists/ListModel.h"
#include "lists/ListReport.h"
#include "report/ReportRenderer.h"
#include "storage/VoucherRecord.h"

#include <QApplication>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QScrollBar>

using namespace scontrix;
using namespace scontrix::bench;
using Field = storage::VoucherRecord::Field;

namespace {

const QDate Today(2025, 6, 1);

// A list row made by SQLite: the same columns, widths in characters.
constexpr char SqlRow[] =
    "printf('%!-26.26s  Cel. %!-14.14s  Buono n. %!-10.10s  Dal: %!-10.10s  Al: %!-10.10s  "
    "Per: %!-26.26s  Valore: \xE2\x82\xAC %s', acquirente, cel, num, prezzo, spettatore, posto, "
    "evento) AS r";

// The SQL column of each filter field.
const char* columnOf(Field field) {
    switch (field) {
    case Field::Acquirente:
        return "acquirente";
    case Field::Via:
        return "via";
    case Field::Citta:
        return "citta";
    case Field::Cel:
        return "cel";
    case Field::Num:
        return "num";
    case Field::Spettatore:
        return "spettatore";
    case Field::Posto:
        return "posto";
    case Field::Evento:
        return "evento";
    case Field::Scritta:
        return "scritta";
    case Field::Note:
        return "note";
    default:
        return "pagato";
    }
}

// The sorted rows of the vouchers where `where` holds, copied into one block.
RowBlock sqliteRows(const Database& db, const std::string& where,
                    const std::vector<QByteArray>& texts) {
    RowBlock rows;
    const std::string sql = std::string("SELECT ") + SqlRow + " FROM vouchers" +
                            (where.empty() ? "" : " WHERE " + where) + " ORDER BY r COLLATE NOCASE";
    db.query(sql.c_str(), texts, [&](sqlite3_stmt* s) {
        rows.add(sqlite3_column_text(s, 0), sqlite3_column_bytes(s, 0));
    });
    return rows;
}

// A search as the search window makes it, and as SQLite would: every filter a
// LIKE '%text%', which folds a-z as the search does.
void search(benchmark::State& state, const std::vector<lists::SearchFilter>& typed) {
    const QString archive = archiveOf(state.range(0));
    const Database db(databaseOf(state.range(0)));
    const lists::SearchFilters filters(typed);
    std::string where;
    std::vector<QByteArray> texts;
    for (const lists::SearchFilter& f : typed) {
        where +=
            std::string(where.empty() ? "" : " AND ") + columnOf(f.field) + " LIKE '%' || ? || '%'";
        texts.push_back(f.text.toUtf8());
    }
    qsizetype found = 0;
    compare(
        state, archive,
        [&] {
            lists::ListModel model;
            model.setRows(lists::searchArchive(archive, filters).rows);
            found = model.rowCount();
        },
        [&] { benchmark::DoNotOptimize(sqliteRows(db, where, texts).ends.size()); });
    state.counters["found"] = double(found);
}

void SearchOneFilter(benchmark::State& state) {
    search(state, {{Field::Acquirente, QStringLiteral("ross")}});
}

// Ten filters that most vouchers pass, so that every one of them is tested.
void SearchTenFilters(benchmark::State& state) {
    search(state, {{Field::Acquirente, QStringLiteral("a")},
                   {Field::Via, QStringLiteral("v")},
                   {Field::Citta, QStringLiteral("(")},
                   {Field::Cel, QStringLiteral("3")},
                   {Field::Num, QStringLiteral("1")},
                   {Field::Spettatore, QStringLiteral("/20")},
                   {Field::Posto, QStringLiteral("a")},
                   {Field::Evento, QStringLiteral(",")},
                   {Field::Scritta, QStringLiteral("o")},
                   {Field::Note, QStringLiteral("e")}});
}

void SearchFindingNothing(benchmark::State& state) {
    search(state, {{Field::Note, QStringLiteral("nessuno cerca questo")}});
}

// The unpaid vouchers listed and sorted with their totals, as the summary
// window shows them; SQLite lists them in one query and adds up in another.
void UnpaidSummary(benchmark::State& state) {
    const QString archive = archiveOf(state.range(0));
    const Database db(databaseOf(state.range(0)));
    qsizetype listed = 0;
    compare(
        state, archive,
        [&] {
            lists::UnpaidTotals totals;
            lists::ListModel model;
            model.setRows(lists::unpaidVouchers(archive, {}, &totals, Today).rows);
            benchmark::DoNotOptimize(totals.summary());
            listed = model.rowCount();
        },
        [&] {
            const RowBlock rows = sqliteRows(db, "pagato = 'No'", {});
            qint64 count = 0, cents = 0, expired = 0;
            db.query(
                "SELECT count(*), total(cents), sum(expiry < ?) FROM vouchers WHERE pagato = 'No'",
                {QByteArrayLiteral("2025-06-01")}, [&](sqlite3_stmt* s) {
                    count = sqlite3_column_int64(s, 0);
                    cents = sqlite3_column_int64(s, 1);
                    expired = sqlite3_column_int64(s, 2);
                });
            benchmark::DoNotOptimize(rows.ends.size() + std::size_t(count + cents + expired));
        });
    state.counters["found"] = double(listed);
}

// Every voucher listed, sorted and shown in the list box, then scrolled from
// the top to the bottom a page at a time and back to the middle.
void ListAllSortedShown(benchmark::State& state) {
    const QString archive = archiveOf(state.range(0));
    const Database db(databaseOf(state.range(0)));
    const lists::SearchFilters all(std::vector<lists::SearchFilter>{});
    compare(
        state, archive,
        [&] {
            lists::ListModel model;
            QListView view;
            view.setUniformItemSizes(true);
            view.setFont(model.itemFont());
            view.resize(801, 273);
            view.setModel(&model);
            view.show();
            model.setRows(lists::searchArchive(archive, all).rows);
            QApplication::processEvents();
            QScrollBar* bar = view.verticalScrollBar();
            for (int i = 0; i < 20; ++i) {
                bar->setValue(bar->maximum() * i / 19);
                QApplication::processEvents();
            }
            bar->setValue(bar->maximum() / 2);
            QApplication::processEvents();
        },
        [&] { benchmark::DoNotOptimize(sqliteRows(db, {}, {}).ends.size()); });
}

// The printed list of the unpaid vouchers: gathered, sorted, put in the list
// template, prepared and its first and last pages rendered at 100 %. SQLite
// gathers and sorts; the rest is the same work on both sides.
void PrintedList(benchmark::State& state) {
    const QString archive = archiveOf(state.range(0));
    const Database db(databaseOf(state.range(0)));
    const auto print = [](const lists::ListRows& rows) {
        const std::unique_ptr<report::TReport> report = lists::makeRiepilogoTemplate();
        lists::fillListReport(*report, QStringLiteral("Riepilogo buoni acquisto non incassati"),
                              rows);
        report->prepare();
        const int pages = report->prepared().count();
        for (const int number : {0, pages - 1}) {
            const report::TPreparedPage& page = report->prepared().page(number);
            QImage image(QSize(int(page.widthPx()), int(page.heightPx())),
                         QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::white);
            QPainter painter(&image);
            report::renderPage(page, painter, {0, 0, 1, 1, false});
        }
        return pages;
    };
    int pages = 0;
    compare(
        state, archive,
        [&] {
            lists::ListModel model;
            model.setRows(lists::unpaidVouchers(archive).rows);
            pages = print(model.rows());
        },
        [&] {
            lists::ListRows rows;
            db.query((std::string("SELECT ") + SqlRow +
                      " FROM vouchers WHERE pagato = 'No' ORDER BY r COLLATE NOCASE")
                         .c_str(),
                     {}, [&](sqlite3_stmt* s) {
                         rows.append(QString::fromUtf8(
                             reinterpret_cast<const char*>(sqlite3_column_text(s, 0)),
                             sqlite3_column_bytes(s, 0)));
                     });
            benchmark::DoNotOptimize(print(rows));
        });
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(SearchOneFilter)->Apply(sizes);
BENCHMARK(SearchTenFilters)->Apply(sizes);
BENCHMARK(SearchFindingNothing)->Apply(sizes);
BENCHMARK(UnpaidSummary)->Apply(sizes);
BENCHMARK(ListAllSortedShown)->Apply(sizes);
BENCHMARK(PrintedList)->Apply(sizes);
