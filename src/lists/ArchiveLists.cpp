#include "lists/ArchiveLists.h"

#include "lists/ListRow.h"
#include "lists/SideBySide.h"
#include "storage/ArchiveFile.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <atomic>

namespace scontrix::lists {

namespace {

using storage::ArchiveFile;
using storage::Failure;
using storage::VoucherRecord;

// Progress is reported about every 64 thousand records: often enough for a
// smooth bar, seldom enough to cost nothing.
constexpr qint64 ProgressStep = 65536;

// What a scan gathers in each part of the archive, and how each part's scan
// ended. Part 0 always holds the first records; a big archive is read in two
// halves at once, cut at a record boundary, and part 1 holds the second half.
template <typename Gathered> struct Parts {
    std::array<Gathered, 2> gathered{};
    std::array<storage::Result<>, 2> outcome{};
    int count = 1;
};

// Opens, scans and closes; `visit(gathered, position, record)` sees every
// record with its position, each half of a big archive on a thread of its
// own into its own `gathered`. Progress is reported on the calling thread.
// The result is the outcome of the opening, or of the first part that failed
// in archive order.
template <typename Gathered, typename Visit>
storage::Result<> scanArchive(const QString& path, const ScanProgress& progress,
                              Parts<Gathered>& parts, Visit&& visit) {
    ArchiveFile archive;
    if (storage::Result<> opened = archive.open(path); !opened)
        return opened;
    const storage::Result<qint64> count = archive.count();
    if (!count) {
        archive.close();
        return Failure{count.error()};
    }
    const qint64 total = *count;
    if (total < splitting().scanRecords) {
        parts.outcome[0] = archive.scanRange(0, total, [&](qint64 position, const char* record) {
            visit(parts.gathered[0], position, record);
            if (progress && position % ProgressStep == 0)
                progress(position, total);
            return true;
        });
        archive.close();
        return parts.outcome[0];
    }
    parts.count = 2;
    const qint64 half = total / 2;
    std::atomic<qint64> secondDone{0};
    runSideBySide(
        [&] {
            parts.outcome[0] = archive.scanRange(0, half, [&](qint64 position, const char* record) {
                visit(parts.gathered[0], position, record);
                if (progress && position % ProgressStep == 0)
                    progress(position + secondDone.load(std::memory_order_relaxed), total);
                return true;
            });
        },
        [&] {
            parts.outcome[1] =
                archive.scanRange(half, total - half, [&](qint64 position, const char* record) {
                    visit(parts.gathered[1], position, record);
                    if (position % 4096 == 0)
                        secondDone.store(position - half, std::memory_order_relaxed);
                    return true;
                });
        },
        [&] {
            if (progress)
                progress(half + secondDone.load(std::memory_order_relaxed), total);
        });
    archive.close();
    return !parts.outcome[0] ? parts.outcome[0] : parts.outcome[1];
}

// How many parts count once joined: what was gathered after a failure in
// archive order is no part of what was read before it.
template <typename Gathered> int partsToJoin(const Parts<Gathered>& parts) {
    return parts.count == 2 && !parts.outcome[0] ? 1 : parts.count;
}

QByteArrayView trimmedBytes(QByteArrayView bytes) {
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<uchar>(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<uchar>(bytes[end - 1]) <= 32)
        --end;
    return bytes.sliced(begin, end - begin);
}

// A field's bytes, trimmed as its text would be.
QByteArrayView fieldBytes(const char* record, VoucherRecord::Field field) {
    const auto slot = VoucherRecord::slot(field);
    const int length = std::min<int>(static_cast<uchar>(record[slot.offset]), slot.capacity);
    return trimmedBytes(QByteArrayView(record + slot.offset + 1, length));
}

} // namespace

bool isUnpaid(const char* record) {
    const auto slot = VoucherRecord::slot(VoucherRecord::Field::Pagato);
    const int length = std::min<int>(static_cast<uchar>(record[slot.offset]), slot.capacity);
    return trimmedBytes(QByteArrayView(record + slot.offset + 1, length)) == QByteArrayView("No");
}

ListScan searchArchive(const QString& path, const SearchFilters& filters,
                       const ScanProgress& progress) {
    Parts<ListRows> parts;
    ListScan scan;
    scan.outcome =
        scanArchive(path, progress, parts, [&](ListRows& rows, qint64, const char* record) {
            if (filters.matches(record)) {
                appendListRow(record, rows.bytes());
                rows.commitRow();
            }
        });
    scan.rows = std::move(parts.gathered[0]);
    if (partsToJoin(parts) == 2)
        scan.rows.append(std::move(parts.gathered[1]));
    return scan;
}

ListScan unpaidVouchers(const QString& path, const ScanProgress& progress, UnpaidTotals* totals,
                        QDate today) {
    struct Unpaid {
        ListRows rows;
        UnpaidTotals totals;
    };
    Parts<Unpaid> parts;
    ListScan scan;
    scan.outcome =
        scanArchive(path, progress, parts, [&](Unpaid& unpaid, qint64, const char* record) {
            if (!isUnpaid(record))
                return;
            appendListRow(record, unpaid.rows.bytes());
            unpaid.rows.commitRow();
            if (totals)
                unpaid.totals.addBytes(fieldBytes(record, VoucherRecord::Field::Evento),
                                       fieldBytes(record, VoucherRecord::Field::Spettatore), today);
        });
    scan.rows = std::move(parts.gathered[0].rows);
    if (totals)
        totals->add(parts.gathered[0].totals);
    if (partsToJoin(parts) == 2) {
        scan.rows.append(std::move(parts.gathered[1].rows));
        if (totals)
            totals->add(parts.gathered[1].totals);
    }
    return scan;
}

ChosenRecord findChosenRecord(const QString& path, const QString& rowText,
                              const ScanProgress& progress, const ListedTest& listed) {
    const QString wanted = storage::trimControl(rowText);
    // A row holds only characters of the code page; a text that cannot be
    // written in it is no row of this archive.
    const QByteArray wantedBytes = storage::cp1252::encode(wanted);
    const bool comparable = storage::cp1252::decode(wantedBytes) == wanted;
    // Each part keeps the bytes of its last match, decoded once at the end.
    struct Match {
        QByteArray row;
        QByteArray record;
        qint64 position = 0;
    };
    Parts<Match> parts;
    ChosenRecord chosen;
    chosen.outcome =
        scanArchive(path, progress, parts, [&](Match& match, qint64 position, const char* record) {
            if (!comparable || (listed && !listed(record)))
                return;
            match.row.clear();
            appendListRow(record, match.row);
            if (trimmedBytes(match.row) == QByteArrayView(wantedBytes)) {
                match.record = QByteArray(record, VoucherRecord::Size);
                match.position = position;
            }
        });
    // The last match in the archive wins.
    for (int part = partsToJoin(parts) - 1; part >= 0; --part) {
        const Match& match = parts.gathered[static_cast<std::size_t>(part)];
        if (match.position != 0) {
            chosen.record = VoucherRecord::fromRaw(match.record.constData());
            chosen.position = match.position;
            break;
        }
    }
    return chosen;
}

} // namespace scontrix::lists
