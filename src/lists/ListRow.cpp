#include "lists/ListRow.h"

#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <array>

namespace scontrix::lists {

namespace {

using Field = storage::VoucherRecord::Field;

// The columns of a row: the fixed text before a field, the field, its width
// (0: the last field, neither padded nor cut).
struct Column {
    const char* before; // Windows-1252 bytes
    Field field;
    int width;
};

constexpr std::array<Column, 7> Columns{{
    {"", Field::Acquirente, 26},
    {"  Cel. ", Field::Cel, 14},
    {"  Buono n. ", Field::Num, 10},
    {"  Dal: ", Field::Prezzo, 10},
    {"  Al: ", Field::Spettatore, 10},
    {"  Per: ", Field::Posto, 26},
    {"  Valore: \x80 ", Field::Evento, 0},
}};

bool isBlankByte(uchar b) {
    return b <= 32;
}

} // namespace

QString buildListRow(const storage::VoucherRecord& record) {
    QString row;
    row.reserve(ListRowFixedLength + record.evento.size());
    for (const Column& c : Columns) {
        row += storage::cp1252::decode(QByteArray(c.before));
        const QString text = storage::trimControl(record.text(c.field));
        if (c.width == 0)
            row += text;
        else
            row += text.left(c.width).leftJustified(c.width, u' ');
    }
    return row;
}

void appendListRow(const char* recordBytes, QByteArray& out) {
    for (const Column& c : Columns) {
        out.append(c.before);
        // The field's bytes, trimmed: a byte of code 0 to 32 is the character of
        // the same code, so trimming bytes trims the decoded text.
        const auto slot = storage::VoucherRecord::slot(c.field);
        const int length =
            std::min<int>(static_cast<uchar>(recordBytes[slot.offset]), slot.capacity);
        const char* begin = recordBytes + slot.offset + 1;
        const char* end = begin + length;
        while (begin < end && isBlankByte(static_cast<uchar>(*begin)))
            ++begin;
        while (end > begin && isBlankByte(static_cast<uchar>(end[-1])))
            --end;
        const auto size = static_cast<int>(end - begin);
        if (c.width == 0) {
            out.append(begin, size);
        } else {
            out.append(begin, std::min(size, c.width));
            if (size < c.width)
                out.append(c.width - size, ' ');
        }
    }
}

} // namespace scontrix::lists
