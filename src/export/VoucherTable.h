#pragma once

#include "export/Progress.h"
#include "storage/VoucherRecord.h"

#include <QAbstractTableModel>
#include <QHash>
#include <array>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace scontrix::exporting {

// What the export grid shows: every voucher of an archive as it was when the
// grid was filled, one row each, in fourteen columns, plus the cells the user
// changed for the export alone.
//
// An archive can hold a million vouchers, so the rows are kept as the trimmed
// Windows-1252 bytes of their fields packed one after the other in large
// blocks, with one small entry per row; texts are decoded only for the cells
// on screen, and the spreadsheet is written from the bytes as they are. Edited
// cells live apart, in a table keyed by row and column, and win over the
// stored bytes.
class VoucherTable final : public QAbstractTableModel {
    Q_OBJECT
public:
    struct Column {
        const char* name;   // the column's name in the window
        const char* header; // what the header row says
        int width;          // pixels
        // The record field it shows; none for the position column.
        std::optional<storage::VoucherRecord::Field> field;
        bool editable;
    };
    static constexpr int ColumnCount = 14;
    static const std::array<Column, ColumnCount>& columns();
    // -1 when no column has that name.
    static int columnNamed(const QString& name);

    // Why filling ended.
    enum class Fill {
        Complete,
        Stopped, // the progress answered false
        Failed,  // the archive could not be opened or read to its end
    };

    explicit VoucherTable(QObject* parent = nullptr);
    ~VoucherTable() override;

    // Replaces the rows with the vouchers of the archive at `path` (a missing
    // archive is created empty). Whatever stops the filling, the rows read
    // until then stay.
    Fill fill(const QString& path, const Progress& progress = {});

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    // Edits of editable columns only; they change what is exported, never the archive.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

    // The text of a cell as the grid shows it.
    QString text(int row, int column) const;
    bool isEdited(int row, int column) const;

    // The cells of the columns 1 to 13 of a row as the archive gave them:
    // trimmed Windows-1252 bytes, valid until the table is filled again. At
    // least ReadableAfterRow bytes may be read past a row's last cell (their
    // values mean nothing), so that readers may take whole words at a time.
    static constexpr int ReadableAfterRow = 16;
    using StoredCells = std::array<QByteArrayView, ColumnCount - 1>;
    StoredCells storedCells(int row) const;
    bool hasEdits() const { return !edits_.isEmpty(); }
    // The text typed into a cell, or null when the cell was not edited.
    const QString* edit(int row, int column) const;

private:
    struct Row {
        quint64 start;                              // where the row's bytes begin, in the blocks
        std::array<quint8, ColumnCount - 1> length; // bytes of the columns 1 to 13
    };
    class Builder;
    struct FreeBlock {
        void operator()(char* block) const { std::free(block); }
    };

public:
    using Block = std::unique_ptr<char[], FreeBlock>;

private:
    const char* bytesOf(const Row& row) const;
    // Offset of a data column's bytes inside its row.
    static int offsetIn(const Row& row, int column);
    static quint64 key(int row, int column) { return (quint64(row) << 8) | quint64(column); }

    std::vector<Row> rows_;
    std::vector<Block> blocks_;
    QHash<quint64, QString> edits_;
};

} // namespace scontrix::exporting
