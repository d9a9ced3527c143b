#include "export/SpreadsheetFile.h"

#include "export/VoucherTable.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <QSaveFile>
#include <QtEndian>
#include <algorithm>
#include <array>
#include <cstring>
#if defined(Q_OS_LINUX)
#include <fcntl.h>
#endif

namespace scontrix::exporting {

namespace {

// Bytes gathered before they are handed to the file.
constexpr qsizetype WriteBlock = qsizetype(1) << 20;
// Bytes written between two requests to start putting them on disk.
constexpr qint64 DiskStep = qint64(32) << 20;
// How often writing reports its progress, in rows.
constexpr int ProgressEvery = 1024;

constexpr char HeaderCells[][2][24] = {
    {"200", "Buono n."},
    {"250", "Cliente"},
    {"300", "Via e numero civico"},
    {"250", "Citt\xE0"},
    {"200", "Cellulare"},
    {"200", "Inizio validit\xE0"},
    {"200", "Fine validit\xE0"},
    {"250", "Beneficiario"},
    {"200", "Valore"},
    {"350", "Luogo utilizzo"},
    {"400", "Condizioni utilizzo"},
    {"400", "Note"},
    {"150", "Incassato"},
};

constexpr QByteArrayView CellOpen = R"(<td style="text-align: left;">)";
constexpr QByteArrayView CellClose = "</td>";
constexpr QByteArrayView RowOpen = "<tr>";
constexpr QByteArrayView RowClose = "</tr>";

// The most bytes a row of stored cells can take: every byte of a record
// written as the longest character reference.
constexpr qsizetype MaxStoredRow = RowOpen.size() + RowClose.size() +
                                   (VoucherTable::ColumnCount - 1) *
                                       (CellOpen.size() + CellClose.size()) +
                                   5 * storage::VoucherRecord::Size + 8;

// The characters that are markup in a cell.
constexpr auto Markup = [] {
    std::array<bool, 256> markup{};
    markup[uchar('&')] = markup[uchar('<')] = markup[uchar('>')] = true;
    return markup;
}();

char* put(char* out, QByteArrayView bytes) {
    std::memcpy(out, bytes.data(), std::size_t(bytes.size()));
    return out + bytes.size();
}

constexpr quint64 everyByte(uchar b) {
    return 0x0101010101010101ULL * b;
}

// Whether one of the eight bytes of `word` is markup (exact, no false alarms).
constexpr bool hasMarkup(quint64 word) {
    const auto hasZero = [](quint64 v) {
        return (v - everyByte(1)) & ~v & everyByte(0x80);
    };
    return hasZero(word ^ everyByte('&')) | hasZero(word ^ everyByte('<')) |
           hasZero(word ^ everyByte('>'));
}

// Writes a byte, as itself or as its character reference.
char* putByte(char* out, char c) {
    if (!Markup[uchar(c)]) {
        *out = c;
        return out + 1;
    }
    return put(out, c == '&' ? QByteArrayView("&amp;") : c == '<' ? QByteArrayView("&lt;")
                                                                 : QByteArrayView("&gt;"));
}

// Copies `bytes` with the markup written as character references; `out`
// has room for five bytes per byte.
char* putEscaped(char* out, QByteArrayView bytes) {
    for (char c : bytes)
        out = putByte(out, c);
    return out;
}

// The same for a stored cell, eight bytes at a time, since nearly no text
// holds markup. A stored cell may be read a little past its end (the table
// leaves room after every row), and `out` has room for eight bytes more than
// it needs, so a short end is handled as one more word.
char* putStoredEscaped(char* out, QByteArrayView bytes) {
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const auto n = std::min<qsizetype>(end - p, 8);
        quint64 word;
        std::memcpy(&word, p, 8);
        word = qFromLittleEndian(word);
        const quint64 valid = n == 8 ? ~quint64(0) : (quint64(1) << (8 * n)) - 1;
        if (hasMarkup((word & valid) | (everyByte(0x61) & ~valid))) {
            for (const char* stop = p + n; p < stop; ++p)
                out = putByte(out, *p);
            continue;
        }
        std::memcpy(out, p, 8);
        out += n;
        p += n;
    }
    return out;
}

// Appends one data row. Rows without edited cells, nearly all of them, are
// copied straight from the stored bytes into room made beforehand.
void appendRow(QByteArray& out, const VoucherTable& table, int row) {
    const VoucherTable::StoredCells cells = table.storedCells(row);
    const qsizetype start = out.size();
    out.resize(start + MaxStoredRow);
    char* p = put(out.data() + start, RowOpen);
    for (int column = 1; column < VoucherTable::ColumnCount; ++column) {
        p = put(p, CellOpen);
        const QString* edit = table.hasEdits() ? table.edit(row, column) : nullptr;
        if (edit) {
            // A typed text may be of any length: finish what is there, then append.
            out.resize(p - out.constData());
            out += cellBytes(*edit);
            out.append(CellClose);
            const qsizetype at = out.size();
            out.resize(at + MaxStoredRow);
            p = out.data() + at;
        } else {
            p = putStoredEscaped(p, cells[std::size_t(column - 1)]);
            p = put(p, CellClose);
        }
    }
    p = put(p, RowClose);
    out.resize(p - out.constData());
}

} // namespace

QByteArray spreadsheetHead() {
    QByteArray head;
    head += R"(<html xmlns:o="urn:schemas-microsoft-com:office:office" )"
            R"(xmlns:x="urn:schemas-microsoft-com:office:excel" )"
            R"(xmlns="http://www.w3.org/TR/REC-html40">)";
    head += "<head>";
    head += R"(<meta http-equiv="Content-Type" content="text/html; charset=windows-1252">)";
    head += "<!--[if gte mso 9]><xml>";
    head += "<x:ExcelWorkbook>";
    head += "<x:ExcelWorksheets>";
    head += "<x:ExcelWorksheet>";
    head += "<x:Name>Riepilogo Buoni Acquisto</x:Name>";
    head += "<x:WorksheetOptions>";
    head += "<x:Selected/>";
    head += "<x:Panes>";
    head += "<x:Pane>";
    head += "<x:Number>1</x:Number>";
    head += "<x:ActiveRow>3</x:ActiveRow>";
    head += "</x:Pane>";
    head += "</x:Panes>";
    head += "<x:ProtectContents>False</x:ProtectContents>";
    head += "<x:ProtectObjects>False</x:ProtectObjects>";
    head += "<x:ProtectScenarios>False</x:ProtectScenarios>";
    head += "</x:WorksheetOptions>";
    head += "</x:ExcelWorksheet>";
    head += "</x:ExcelWorksheets>";
    head += "</x:ExcelWorkbook>";
    head += "</xml><![endif]-->";
    head += "</head>";
    head += "<body>";
    head += "<table x:str>";
    head.append(RowOpen);
    for (const auto& [width, text] : HeaderCells) {
        head += R"(<td style="text-align: left; font-weight: bold;" width=)";
        head += width;
        head += '>';
        head += text;
        head.append(CellClose);
    }
    head.append(RowClose);
    return head;
}

QByteArray spreadsheetTail() {
    return QByteArrayLiteral("</table></body></html>");
}

void appendEscaped(QByteArray& out, const char* bytes, qsizetype size) {
    const qsizetype start = out.size();
    out.resize(start + 5 * size);
    char* end = putEscaped(out.data() + start, QByteArrayView(bytes, size));
    out.resize(end - out.constData());
}

QByteArray cellBytes(const QString& text) {
    const QString trimmed = storage::trimControl(text);
    QByteArray encoded;
    encoded.reserve(trimmed.size());
    for (qsizetype i = 0; i < trimmed.size(); ++i) {
        const char16_t c = trimmed.at(i).unicode();
        if (QChar::isHighSurrogate(c) && i + 1 < trimmed.size() &&
            QChar::isLowSurrogate(trimmed.at(i + 1).unicode())) {
            ++i; // one character, one "?"
            encoded += '?';
        } else if (const auto byte = storage::cp1252::encodeChar(c)) {
            encoded += static_cast<char>(*byte);
        } else {
            encoded += '?';
        }
    }
    QByteArray out;
    appendEscaped(out, encoded.constData(), encoded.size());
    return out;
}

storage::Result<WriteEnd> writeSpreadsheet(const QString& path, const VoucherTable& table,
                                           const Progress& progress) {
    QSaveFile file(path);
    const auto failed = [&file]() -> storage::Result<WriteEnd> {
        const QString error = file.errorString();
        file.cancelWriting();
        return storage::Failure{QStringLiteral("cannot write the spreadsheet: ") + error};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();

    QByteArray buffer;
    buffer.reserve(WriteBlock + 2 * MaxStoredRow);
    qint64 written = 0;
    qint64 handedToDisk = 0;
    const auto flush = [&] {
        const bool whole = file.write(buffer) == buffer.size();
        written += buffer.size();
        buffer.resize(0); // keeps its room
#if defined(Q_OS_LINUX)
        // The file is put on disk before it replaces the previous one; start
        // that while the rest is still being written, instead of waiting for
        // all of it at the end.
        if (written - handedToDisk >= DiskStep) {
            ::sync_file_range(file.handle(), handedToDisk, written - handedToDisk,
                              SYNC_FILE_RANGE_WRITE);
            handedToDisk = written;
        }
#endif
        return whole;
    };

    buffer += spreadsheetHead();
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        appendRow(buffer, table, row);
        if (buffer.size() >= WriteBlock && !flush())
            return failed();
        if (progress && (row + 1) % ProgressEvery == 0 && !progress(row + 1, rows)) {
            file.cancelWriting();
            return WriteEnd::Cancelled;
        }
    }
    buffer += spreadsheetTail();
    if (!flush())
        return failed();
    if (!file.commit())
        return storage::Failure{QStringLiteral("cannot put the spreadsheet in place: ") +
                                file.errorString()};
    return WriteEnd::Written;
}

} // namespace scontrix::exporting
