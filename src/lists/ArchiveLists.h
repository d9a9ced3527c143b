#pragma once

#include "lists/ListRows.h"
#include "lists/SearchFilters.h"
#include "lists/UnpaidTotals.h"
#include "storage/Result.h"
#include "storage/VoucherRecord.h"

#include <QDate>
#include <QString>
#include <functional>
#include <optional>

// The three reads of an archive that the list windows make. Every access to
// the archive file of the lists goes through here: each opens the archive
// (creating a missing one empty), scans it once in large blocks and closes it.
namespace scontrix::lists {

// Called now and then during a scan with the records read so far and the
// record count, so that a window can show progress and keep itself drawn.
using ScanProgress = std::function<void(qint64 done, qint64 total)>;

// What a scan gathered, and whether it read the archive to its end. On
// failure `rows` keeps what was read before it.
struct ListScan {
    ListRows rows;
    storage::Result<> outcome;
};

// The rows of the records that match every filter, in archive order.
ListScan searchArchive(const QString& path, const SearchFilters& filters,
                       const ScanProgress& progress = {});

// The rows of the vouchers whose trimmed cashed flag is exactly "No", and,
// with `totals`, their count, value and how many have expired before `today`.
ListScan unpaidVouchers(const QString& path, const ScanProgress& progress = {},
                        UnpaidTotals* totals = nullptr, QDate today = {});

// The test a list window puts a voucher on its list by, on the raw record.
using ListedTest = std::function<bool(const char* record)>;

// Whether the voucher is on the unpaid list: its trimmed flag is exactly "No".
bool isUnpaid(const char* record);

// The record whose row, trimmed, equals `rowText` trimmed, among those that
// pass `listed` (every record without one): the last one in the archive when
// several give the same row. So a listed voucher is never confused with a
// twin the window did not list (a cashed one, one the filters leave out). A
// failed scan still returns the last match read before the failure, with the
// failure in `outcome`.
struct ChosenRecord {
    std::optional<storage::VoucherRecord> record;
    qint64 position = 0;
    storage::Result<> outcome;
};
ChosenRecord findChosenRecord(const QString& path, const QString& rowText,
                              const ScanProgress& progress = {}, const ListedTest& listed = {});

} // namespace scontrix::lists
