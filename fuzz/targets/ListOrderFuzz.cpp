// The order of list rows, on rows of any bytes. The input is read twice: as archive records
// (cut every VoucherRecord::Size bytes, the last one padded with zeros), whose
// byte rows must decode to the rows built from the decoded records; and as
// free rows, cut at every line feed, which sorted must come out in the order
// of listTextLess, stably, as a permutation of what was added.
#include "FuzzCheck.h"
#include "lists/ListRow.h"
#include "lists/ListRows.h"
#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <QList>
#include <algorithm>
#include <cstdint>
#include <vector>

using namespace scontrix;
using storage::VoucherRecord;

namespace {

// Sorts `rows` and checks the result against a plain stable sort of the
// decoded texts with listTextLess. Row bytes live one after the other in the
// order added, so the address of a row's bytes tells when it was added.
void checkSorted(lists::ListRows& rows) {
    std::vector<qsizetype> added(static_cast<std::size_t>(rows.size()));
    std::vector<QString> texts;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        added[static_cast<std::size_t>(i)] = i;
        texts.push_back(rows.text(i));
    }
    std::stable_sort(added.begin(), added.end(), [&](qsizetype a, qsizetype b) {
        return lists::listTextLess(texts[static_cast<std::size_t>(a)],
                                   texts[static_cast<std::size_t>(b)]);
    });
    std::vector<const char*> starts;
    for (qsizetype i = 0; i < rows.size(); ++i)
        starts.push_back(rows.rowBytes(i).data());

    rows.sort();
    FUZZ_CHECK(rows.size() == static_cast<qsizetype>(texts.size()));
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const auto expected = static_cast<std::size_t>(added[static_cast<std::size_t>(i)]);
        // The same row in the same place as the plain sort puts it: equal
        // texts included, so the sort is stable and a permutation.
        FUZZ_CHECK(rows.text(i) == texts[expected]);
        FUZZ_CHECK(rows.rowBytes(i).data() == starts[expected]);
        if (i > 0) {
            // A total order: never a row before one that is less.
            FUZZ_CHECK(!lists::listTextLess(rows.text(i), rows.text(i - 1)));
        }
    }

    // A row added after sorting goes to the end.
    rows.append(QByteArrayView("\xFF"));
    FUZZ_CHECK(rows.text(rows.size() - 1) == QStringLiteral("\u00FF"));
    if (rows.size() > 1)
        FUZZ_CHECK(rows.text(rows.size() - 2) == texts[static_cast<std::size_t>(added.back())]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));

    lists::ListRows recordRows;
    for (qsizetype at = 0; at < input.size(); at += VoucherRecord::Size) {
        QByteArray record = input.mid(at, VoucherRecord::Size);
        record.append(VoucherRecord::Size - record.size(), '\0');
        QByteArray row;
        lists::appendListRow(record.constData(), row);
        const QString built = lists::buildListRow(VoucherRecord::fromBytes(record));
        FUZZ_CHECK(storage::cp1252::decode(row) == built);
        FUZZ_CHECK(row.size() >= lists::ListRowFixedLength);
        recordRows.append(QByteArrayView(row));
        FUZZ_CHECK(recordRows.text(recordRows.size() - 1) == built);
    }
    checkSorted(recordRows);

    lists::ListRows freeRows;
    for (const QByteArray& line : input.split('\n'))
        freeRows.append(QByteArrayView(line));
    checkSorted(freeRows);
    return 0;
}
