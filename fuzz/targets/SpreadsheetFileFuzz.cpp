// The spreadsheet file as the export writes it from its table: stored cells
// copied eight bytes at a time, and typed ones. The input after its first
// byte is an archive (cut every VoucherRecord::Size bytes, the last record
// padded with zeros), put in the export table and written as the
// spreadsheet; an odd first byte also types the input's text, read as UTF-8,
// into an editable cell of the first row. Every cell written must hold no
// markup but its own character references, be as long as its bytes plus what
// the references add, and give back the cell's bytes once the references are
// read.
#include "FuzzCheck.h"
#include "export/SpreadsheetFile.h"
#include "export/VoucherTable.h"
#include "storage/Text.h"
#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>

using namespace scontrix;
using exporting::VoucherTable;
using storage::VoucherRecord;

namespace {

constexpr QByteArrayView CellOpen = R"(<td style="text-align: left;" sdnum="1040;0;@">)";
constexpr QByteArrayView CellClose = "</td>";

// Reads the character references back; checks there is no markup besides them
// and that the escaped length is what they add.
QByteArray unescaped(QByteArrayView cell) {
    QByteArray plain;
    qsizetype added = 0;
    for (qsizetype i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        FUZZ_CHECK(c != '<' && c != '>');
        if (c != '&') {
            plain += c;
            continue;
        }
        const QByteArrayView at = cell.sliced(i);
        if (at.startsWith("&amp;")) {
            plain += '&';
            i += 4;
            added += 4;
        } else if (at.startsWith("&lt;") || at.startsWith("&gt;")) {
            plain += at[1] == 'l' ? '<' : '>';
            i += 3;
            added += 3;
        } else {
            FUZZ_CHECK(!"a raw & in a cell");
        }
    }
    FUZZ_CHECK(cell.size() == plain.size() + added);
    return plain;
}

QByteArray readAll(const QString& path) {
    QFile file(path);
    FUZZ_CHECK(file.open(QIODevice::ReadOnly));
    return file.readAll();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    static QTemporaryDir folder;
    const QString archive = folder.filePath(QStringLiteral("Archivio.eur"));
    const QString sheet = folder.filePath(QStringLiteral("Buoni_Acquisto.xls"));

    QByteArray records(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
    if (records.size() % VoucherRecord::Size)
        records.append(VoucherRecord::Size - records.size() % VoucherRecord::Size, '\0');
    {
        QFile file(archive);
        FUZZ_CHECK(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        FUZZ_CHECK(file.write(records) == records.size());
    }

    VoucherTable table;
    FUZZ_CHECK(table.fill(archive) == VoucherTable::Fill::Complete);
    FUZZ_CHECK(table.rowCount() == records.size() / VoucherRecord::Size);
    const QString typed =
        QString::fromUtf8(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(std::min<std::size_t>(size - 1, 300)));
    const int editedColumn = 6 + data[0] / 2 % 8;
    const bool edit = data[0] % 2 == 1 && table.rowCount() > 0;
    if (edit)
        FUZZ_CHECK(table.setData(table.index(0, editedColumn), typed));

    // A cell alone: the trimmed text in the code page, every character one byte.
    const QString trimmed = storage::trimControl(typed);
    const QByteArray cell = unescaped(QByteArrayView(exporting::cellBytes(typed)));
    FUZZ_CHECK(storage::cp1252::decode(cell).size() <= trimmed.size());
    if (storage::cp1252::encode(trimmed).size() == trimmed.size() &&
        storage::cp1252::decode(storage::cp1252::encode(trimmed)) == trimmed)
        FUZZ_CHECK(storage::cp1252::decode(cell) == trimmed);

    FUZZ_CHECK(exporting::writeSpreadsheet(sheet, table) == exporting::WriteEnd::Written);
    const QByteArray written = readAll(sheet);
    const QByteArray head = exporting::spreadsheetHead();
    const QByteArray tail = exporting::spreadsheetTail();
    FUZZ_CHECK(written.startsWith(head) && written.endsWith(tail));

    QByteArrayView rest =
        QByteArrayView(written).sliced(head.size(), written.size() - head.size() - tail.size());
    for (int row = 0; row < table.rowCount(); ++row) {
        const VoucherRecord record = VoucherRecord::fromBytes(
            records.mid(qsizetype(row) * VoucherRecord::Size, VoucherRecord::Size));
        FUZZ_CHECK(rest.startsWith("<tr>"));
        rest = rest.sliced(4);
        for (int column = 1; column < VoucherTable::ColumnCount; ++column) {
            FUZZ_CHECK(rest.startsWith(CellOpen));
            rest = rest.sliced(CellOpen.size());
            // No raw "<" inside a cell, so the first one closes it.
            const qsizetype end = rest.indexOf('<');
            FUZZ_CHECK(end >= 0 && rest.sliced(end).startsWith(CellClose));
            const QByteArray plain = unescaped(rest.first(end));
            rest = rest.sliced(end + CellClose.size());

            if (edit && row == 0 && column == editedColumn) {
                FUZZ_CHECK(plain == cell);
                continue;
            }
            FUZZ_CHECK(plain == table.storedCells(row)[std::size_t(column - 1)]);
            // What is stored is the field as it reads; the cashed flag as it
            // stands in the archive, whatever it says.
            const auto field = *VoucherTable::columns()[std::size_t(column)].field;
            FUZZ_CHECK(
                storage::cp1252::decode(plain) ==
                (field == VoucherRecord::Field::Pagato ? record.pagatoText : record.text(field)));
        }
        FUZZ_CHECK(rest.startsWith("</tr>"));
        rest = rest.sliced(5);
    }
    FUZZ_CHECK(rest.isEmpty());
    return 0;
}
