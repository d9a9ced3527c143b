#pragma once

#include "storage/VoucherRecord.h"

#include <QByteArray>
#include <QString>

namespace scontrix::lists {

// The one-line text of a voucher in the search and unpaid lists and on the
// printed list: seven columns, each field trimmed, the first six padded or cut
// to their widths, the value last and as long as it is.
//
//   Acquirente(26) "  Cel. " Cel(14) "  Buono n. " Num(10) "  Dal: " Prezzo(10)
//   "  Al: " Spettatore(10) "  Per: " Posto(26) "  Valore: € " Evento
//
// An empty voucher thus gives 146 characters, and the value starts at column 147.
QString buildListRow(const storage::VoucherRecord& record);

// The same row in Windows-1252 bytes, appended to `out` straight from a raw
// record: only the seven fields the row shows are looked at. Every character
// of a row comes from the code page (the euro sign is byte 80), so the bytes
// decode to exactly buildListRow()'s text.
void appendListRow(const char* recordBytes, QByteArray& out);

// The same in two steps, for filling a block made ready beforehand: the
// length of the row of a raw record, and the row written at `out`, which must
// have room for that length; returns the end of what was written.
qsizetype listRowLength(const char* recordBytes);
char* writeListRow(const char* recordBytes, char* out);

// The width of the fixed part of a row, before the value.
inline constexpr int ListRowFixedLength = 146;

} // namespace scontrix::lists
