// List rows and their order: rows built straight from record bytes read as
// rows built from the decoded record, and sorting gives the list order, each
// row once, rows that compare equal in the order they came.
#include "FuzzCheck.h"
#include "lists/ListRow.h"
#include "lists/ListRows.h"
#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <QSet>
#include <cstdint>

using namespace scontrix;
using storage::VoucherRecord;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    // Each slice of the input is one record; the last is filled out with zeros.
    lists::ListRows rows;
    QStringList texts;
    for (qsizetype at = 0; at < input.size() || at == 0; at += VoucherRecord::Size) {
        QByteArray record = input.mid(at, VoucherRecord::Size);
        record.append(VoucherRecord::Size - record.size(), '\0');
        lists::appendListRow(record.constData(), rows.bytes());
        rows.commitRow();
        const QString built = lists::buildListRow(VoucherRecord::fromBytes(record));
        FUZZ_CHECK(rows.text(rows.size() - 1) == built);
        texts << built;
        if (input.isEmpty())
            break;
    }

    rows.sort();
    FUZZ_CHECK(rows.size() == texts.size());
    QStringList sorted;
    for (qsizetype i = 0; i < rows.size(); ++i)
        sorted << rows.text(i);
    for (qsizetype i = 1; i < sorted.size(); ++i)
        FUZZ_CHECK(!lists::listTextLess(sorted[i], sorted[i - 1]));
    QStringList expected = texts;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return lists::listTextLess(a, b); });
    FUZZ_CHECK(sorted == expected);
    return 0;
}
