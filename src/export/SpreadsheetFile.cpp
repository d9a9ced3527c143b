#include "export/SpreadsheetFile.h"

#include "export/VoucherTable.h"
#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <QSaveFile>

namespace scontrix::exporting {

namespace {

// Bytes gathered before they are handed to the file.
constexpr qsizetype WriteBlock = qsizetype(1) << 20;
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
    const char* end = bytes + size;
    const char* plain = bytes;
    for (const char* p = bytes; p < end; ++p) {
        const char* reference = nullptr;
        switch (*p) {
        case '&':
            reference = "&amp;";
            break;
        case '<':
            reference = "&lt;";
            break;
        case '>':
            reference = "&gt;";
            break;
        default:
            continue;
        }
        out.append(plain, p - plain);
        out.append(reference);
        plain = p + 1;
    }
    out.append(plain, end - plain);
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

WriteOutcome writeSpreadsheet(const QString& path, const VoucherTable& table,
                              const Progress& progress) {
    QSaveFile file(path);
    const auto failed = [&file] {
        const QString error = file.errorString();
        file.cancelWriting();
        return WriteOutcome{WriteOutcome::Result::Failed, error};
    };
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return failed();

    QByteArray buffer;
    buffer.reserve(WriteBlock + 16 * 1024);
    const auto flush = [&] {
        const bool written = file.write(buffer) == buffer.size();
        buffer.clear();
        return written;
    };

    buffer += spreadsheetHead();
    const int rows = table.rowCount();
    for (int row = 0; row < rows; ++row) {
        buffer.append(RowOpen);
        for (int column = 1; column < VoucherTable::ColumnCount; ++column) {
            buffer.append(CellOpen);
            table.appendCell(buffer, row, column);
            buffer.append(CellClose);
        }
        buffer.append(RowClose);
        if (buffer.size() >= WriteBlock && !flush())
            return failed();
        if (progress && (row + 1) % ProgressEvery == 0 && !progress(row + 1, rows)) {
            file.cancelWriting();
            return {WriteOutcome::Result::Cancelled, {}};
        }
    }
    buffer += spreadsheetTail();
    if (!flush())
        return failed();
    if (!file.commit())
        return {WriteOutcome::Result::Failed, file.errorString()};
    return {WriteOutcome::Result::Written, {}};
}

} // namespace scontrix::exporting
