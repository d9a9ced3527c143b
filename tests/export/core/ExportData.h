#pragma once

#include "storage/VoucherRecord.h"

#include <QByteArray>
#include <QList>

namespace scontrix::test {

// The bytes a spreadsheet file starts with, header row included, spelled out
// here once so that the tests check the program against the format and not
// against itself.
QByteArray expectedHead();
inline QByteArray expectedTail() {
    return QByteArrayLiteral("</table></body></html>");
}
// One data row of the file from its thirteen cells, already as bytes.
QByteArray expectedRow(const QList<QByteArray>& cells);

// Three vouchers with every field different, and the thirteen cells (as the
// file holds them) that each one gives.
QList<storage::VoucherRecord> threeVouchers();
QList<QList<QByteArray>> threeVoucherCells();

// A voucher whose fields tell its number.
storage::VoucherRecord numbered(int n);

} // namespace scontrix::test
