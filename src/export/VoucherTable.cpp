#include "export/VoucherTable.h"

#include "storage/ArchiveFile.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <new>
#if defined(Q_OS_LINUX)
#include <sys/mman.h>
#endif

namespace scontrix::exporting {

namespace {

using Field = storage::VoucherRecord::Field;
using Block = VoucherTable::Block;

// Rows are packed into blocks of this size; a row never spans two blocks.
constexpr int BlockShift = 22;
constexpr quint64 BlockSize = quint64(1) << BlockShift;
// How often filling reports its progress, in records.
constexpr qint64 ProgressEvery = 4096;

constexpr std::array<VoucherTable::Column, VoucherTable::ColumnCount> Columns{{
    {"colNum", "N.", 60, std::nullopt, false},
    {"colNumX", "Buono n.", 150, Field::Num, false},
    {"colAcquirente", "Cliente", 220, Field::Acquirente, false},
    {"colVia", "Via e numero civico", 250, Field::Via, false},
    {"colCitta", "Città", 200, Field::Citta, false},
    {"colCel", "Cellulare", 180, Field::Cel, false},
    {"colEvento", "Inizio validità", 120, Field::Prezzo, true},
    {"colLuogo", "Fine validità", 120, Field::Spettatore, true},
    {"coSpettatore", "Beneficiario", 220, Field::Posto, true},
    {"colPosto", "Valore", 120, Field::Evento, true},
    {"colScritta", "Luogo utilizzo", 300, Field::Luogo, true},
    {"colPrezzo", "Condizioni utilizzo", 300, Field::Scritta, true},
    {"colNote", "Note", 300, Field::Note, true},
    {"colPagato", "Incassato", 150, Field::Pagato, true},
}};

// The record slots of the columns 1 to 13, in column order.
constexpr auto DataSlots = [] {
    std::array<storage::VoucherRecord::Slot, VoucherTable::ColumnCount - 1> result{};
    for (std::size_t i = 1; i < Columns.size(); ++i)
        result[i - 1] = storage::VoucherRecord::slot(*Columns[i].field);
    return result;
}();

// The most bytes one row can need: every field at its capacity.
constexpr int MaxRowBytes = [] {
    int sum = 0;
    for (const auto& s : DataSlots)
        sum += s.capacity;
    return sum;
}();
static_assert(MaxRowBytes < int(BlockSize));

// A block of rows, left uninitialised: every byte is written before it is
// read. On Linux it is aligned so that the system can back it with large
// pages: filling a million rows then takes a few hundred page faults instead
// of tens of thousands.
Block newBlock() {
#if defined(Q_OS_LINUX)
    constexpr std::size_t LargePage = std::size_t(2) << 20;
    if (void* memory = std::aligned_alloc(LargePage, BlockSize)) {
        ::madvise(memory, BlockSize, MADV_HUGEPAGE);
        return Block(static_cast<char*>(memory));
    }
#endif
    return Block(static_cast<char*>(std::malloc(BlockSize)));
}

// Fields are short: copying them sixteen bytes at a time, a little past
// their end where the record and the block leave room, beats a library call
// per field. The bytes written past the end are overwritten by the next field
// or never read.
constexpr std::size_t CopyStep = 16;
static_assert(CopyStep >= VoucherTable::ReadableAfterRow);

void copyShort(char* out, const char* from, std::size_t n, const char* recordEnd) {
    const std::size_t rounded = (n + CopyStep - 1) / CopyStep * CopyStep;
    if (std::size_t(recordEnd - from) < rounded) {
        std::memcpy(out, from, n);
        return;
    }
    for (std::size_t done = 0; done < rounded; done += CopyStep)
        std::memcpy(out + done, from + done, CopyStep);
}

bool isControlOrBlank(char c) {
    return static_cast<uchar>(c) <= 32;
}

} // namespace

// Packs rows one after the other into the table's blocks.
class VoucherTable::Builder {
public:
    explicit Builder(VoucherTable& table) : table_(table) {}

    // False when there is no memory left for the row.
    bool add(const char* record) {
        if (!block_ || BlockSize - used_ < quint64(MaxRowBytes + CopyStep)) {
            Block block = newBlock();
            if (!block)
                return false;
            table_.blocks_.push_back(std::move(block));
            block_ = table_.blocks_.back().get();
            used_ = 0;
        }
        Row row{(quint64(table_.blocks_.size() - 1) << BlockShift) | used_, {}};
        char* out = block_ + used_;
        for (std::size_t i = 0; i < DataSlots.size(); ++i) {
            const auto& s = DataSlots[i];
            const char* begin = record + s.offset + 1;
            const char* end =
                begin + std::min<int>(static_cast<uchar>(record[s.offset]), s.capacity);
            // Trimmed as the program trims every text: the bytes 0 to 32 are
            // the characters 0 to 32 in the code page.
            while (begin < end && isControlOrBlank(*begin))
                ++begin;
            while (end > begin && isControlOrBlank(end[-1]))
                --end;
            const auto n = static_cast<std::size_t>(end - begin);
            copyShort(out, begin, n, record + storage::VoucherRecord::Size);
            out += n;
            row.length[i] = static_cast<quint8>(n);
        }
        used_ += quint64(out - (block_ + used_));
        table_.rows_.push_back(row);
        return true;
    }

private:
    VoucherTable& table_;
    char* block_ = nullptr;
    quint64 used_ = 0;
};

const std::array<VoucherTable::Column, VoucherTable::ColumnCount>& VoucherTable::columns() {
    return Columns;
}

int VoucherTable::columnNamed(const QString& name) {
    for (int i = 0; i < ColumnCount; ++i) {
        if (name == QLatin1StringView(Columns[std::size_t(i)].name))
            return i;
    }
    return -1;
}

VoucherTable::VoucherTable(QObject* parent) : QAbstractTableModel(parent) {}

VoucherTable::~VoucherTable() = default;

VoucherTable::Fill VoucherTable::fill(const QString& path, const Progress& progress) {
    beginResetModel();
    rows_.clear();
    blocks_.clear();
    edits_.clear();

    Fill end = Fill::Complete;
    // The one place the export reads the archive.
    storage::ArchiveFile archive;
    const storage::Result<> opened = archive.open(path);
    const storage::Result<qint64> total =
        opened ? archive.count() : storage::Failure{opened.error()};
    if (!total) {
        end = Fill::Failed;
    } else {
        // A grid has at most INT_MAX rows; no archive comes near it.
        rows_.reserve(std::size_t(std::min<qint64>(*total, INT_MAX)));
        Builder builder(*this);
        const storage::Result<> read = archive.scan([&](qint64 position, const char* record) {
            if (rows_.size() >= std::size_t(INT_MAX) || !builder.add(record)) {
                end = Fill::Failed;
                return false;
            }
            if (progress && position % ProgressEvery == 0 && !progress(position, *total)) {
                end = Fill::Stopped;
                return false;
            }
            return true;
        });
        if (!read)
            end = Fill::Failed;
    }
    archive.close();
    if (rows_.size() < rows_.capacity() / 2)
        rows_.shrink_to_fit();
    endResetModel();
    return end;
}

int VoucherTable::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(rows_.size());
}

int VoucherTable::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant VoucherTable::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return text(index.row(), index.column());
}

QVariant VoucherTable::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < ColumnCount)
        return QString::fromUtf8(Columns[std::size_t(section)].header);
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags VoucherTable::flags(const QModelIndex& index) const {
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (Columns[std::size_t(index.column())].editable)
        f |= Qt::ItemIsEditable;
    return f;
}

bool VoucherTable::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || role != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable))
        return false;
    const int row = index.row();
    const int column = index.column();
    const QString typed = value.toString();
    edits_.remove(key(row, column));
    // Typing back what the archive holds is no edit at all.
    if (typed != text(row, column))
        edits_.insert(key(row, column), typed);
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

QString VoucherTable::text(int row, int column) const {
    if (row < 0 || std::size_t(row) >= rows_.size() || column < 0 || column >= ColumnCount)
        return {};
    if (column == 0)
        return QString::number(qint64(row) + 1);
    if (!edits_.isEmpty()) {
        if (const auto edit = edits_.constFind(key(row, column)); edit != edits_.cend())
            return *edit;
    }
    const Row& r = rows_[std::size_t(row)];
    return storage::cp1252::decode(bytesOf(r) + offsetIn(r, column),
                                   r.length[std::size_t(column - 1)]);
}

bool VoucherTable::isEdited(int row, int column) const {
    return edits_.contains(key(row, column));
}

VoucherTable::StoredCells VoucherTable::storedCells(int row) const {
    const Row& r = rows_[std::size_t(row)];
    const char* bytes = bytesOf(r);
    StoredCells cells;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        cells[i] = QByteArrayView(bytes, r.length[i]);
        bytes += r.length[i];
    }
    return cells;
}

const QString* VoucherTable::edit(int row, int column) const {
    const auto found = edits_.constFind(key(row, column));
    return found == edits_.cend() ? nullptr : &*found;
}

const char* VoucherTable::bytesOf(const Row& row) const {
    return blocks_[std::size_t(row.start >> BlockShift)].get() + (row.start & (BlockSize - 1));
}

int VoucherTable::offsetIn(const Row& row, int column) {
    int offset = 0;
    for (int i = 0; i < column - 1; ++i)
        offset += row.length[std::size_t(i)];
    return offset;
}

} // namespace scontrix::exporting
