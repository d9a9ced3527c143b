#include "lists/ArchiveLists.h"

#include "lists/ListRow.h"
#include "storage/ArchiveFile.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <algorithm>

namespace scontrix::lists {

namespace {

using storage::ArchiveFile;
using storage::VoucherRecord;

// Progress is reported about every 64 thousand records: often enough for a
// smooth bar, seldom enough to cost nothing.
constexpr qint64 ProgressStep = 65536;

// Opens, scans and closes; `visit` sees every record with its position.
template <typename Visit>
storage::Result<> scanArchive(const QString& path, const ScanProgress& progress, Visit&& visit) {
    ArchiveFile archive;
    if (storage::Result<> opened = archive.open(path); !opened)
        return opened;
    const storage::Result<qint64> count = progress ? archive.count() : storage::Result<qint64>(0);
    const qint64 total = count ? *count : 0;
    storage::Result<> scanned = archive.scan([&](qint64 position, const char* record) {
        visit(position, record);
        if (progress && position % ProgressStep == 0)
            progress(position, total);
        return true;
    });
    archive.close();
    return scanned;
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

bool flagIsNo(const char* record) {
    const auto slot = VoucherRecord::slot(VoucherRecord::Field::Pagato);
    const int length = std::min<int>(static_cast<uchar>(record[slot.offset]), slot.capacity);
    return trimmedBytes(QByteArrayView(record + slot.offset + 1, length)) == QByteArrayView("No");
}

} // namespace

ListScan searchArchive(const QString& path, const SearchFilters& filters,
                       const ScanProgress& progress) {
    ListScan scan;
    scan.outcome = scanArchive(path, progress, [&](qint64, const char* record) {
        if (filters.matches(record)) {
            appendListRow(record, scan.rows.bytes());
            scan.rows.commitRow();
        }
    });
    return scan;
}

ListScan unpaidVouchers(const QString& path, const ScanProgress& progress, UnpaidTotals* totals,
                        QDate today) {
    ListScan scan;
    scan.outcome = scanArchive(path, progress, [&](qint64, const char* record) {
        if (!flagIsNo(record))
            return;
        appendListRow(record, scan.rows.bytes());
        scan.rows.commitRow();
        if (totals)
            totals->addBytes(fieldBytes(record, VoucherRecord::Field::Evento),
                             fieldBytes(record, VoucherRecord::Field::Spettatore), today);
    });
    return scan;
}

ChosenRecord findChosenRecord(const QString& path, const QString& rowText,
                              const ScanProgress& progress) {
    ChosenRecord chosen;
    const QString wanted = storage::trimControl(rowText);
    // A row holds only characters of the code page; a text that cannot be
    // written in it is no row of this archive.
    const QByteArray wantedBytes = storage::cp1252::encode(wanted);
    const bool comparable = storage::cp1252::decode(wantedBytes) == wanted;
    QByteArray row;
    chosen.outcome = scanArchive(path, progress, [&](qint64 position, const char* record) {
        if (!comparable)
            return;
        row.clear();
        appendListRow(record, row);
        if (trimmedBytes(row) == QByteArrayView(wantedBytes)) {
            chosen.record = VoucherRecord::fromRaw(record);
            chosen.position = position;
        }
    });
    return chosen;
}

} // namespace scontrix::lists
