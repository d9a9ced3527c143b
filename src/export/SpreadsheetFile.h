#pragma once

#include "export/Progress.h"
#include "storage/Result.h"

#include <QByteArray>
#include <QString>

namespace scontrix::exporting {

class VoucherTable;

// The spreadsheet file: one line of HTML table with the spreadsheet markup,
// in Windows-1252 without a byte order mark, which spreadsheet programs open
// as a worksheet.
inline constexpr char SpreadsheetFileName[] = "Buoni_Acquisto.xls";

// Everything before the first data row: the document head and the header row.
QByteArray spreadsheetHead();
// Everything after the last data row.
QByteArray spreadsheetTail();

// Appends Windows-1252 bytes with "&", "<" and ">" written as character
// references, so that a note can never end the cell or the table early.
void appendEscaped(QByteArray& out, const char* bytes, qsizetype size);

// A text as a cell holds it: trimmed, one byte per character in Windows-1252
// ("?" for a character the code page lacks), markup escaped.
QByteArray cellBytes(const QString& text);

// How a write that did not fail ended.
enum class WriteEnd {
    Written,
    Cancelled, // the progress answered false; nothing was put in place
};

// Writes the head, one row per table row with its columns 1 to 13, and the
// tail to `path`. The bytes go to a temporary file beside it that replaces
// `path` only once complete, so a failed or cancelled export leaves the
// previous file as it was.
storage::Result<WriteEnd> writeSpreadsheet(const QString& path, const VoucherTable& table,
                                           const Progress& progress = {});

} // namespace scontrix::exporting
