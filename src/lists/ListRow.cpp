#include "lists/ListRow.h"

#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

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

namespace {

// Where each padded column's field stands in a row, after the fixed texts
// before it; the value follows the whole fixed part.
struct Placed {
    Field field;
    int at;
    int width;
};

constexpr std::array<Placed, 6> placedColumns() {
    std::array<Placed, 6> placed{};
    int at = 0;
    for (std::size_t i = 0; i < 6; ++i) {
        at += static_cast<int>(std::char_traits<char>::length(Columns[i].before));
        placed[i] = {Columns[i].field, at, Columns[i].width};
        at += Columns[i].width;
    }
    return placed;
}
constexpr std::array<Placed, 6> Placed6 = placedColumns();
static_assert(Placed6[5].at + Placed6[5].width + 12 == ListRowFixedLength);

// The fixed part of a row with every field blank: the fixed texts and the
// padding. A row starts as a copy of it, and each field is copied over its
// column.
const std::array<char, ListRowFixedLength> BlankRow = [] {
    std::array<char, ListRowFixedLength> blank{};
    std::size_t at = 0;
    for (const Column& c : Columns) {
        for (const char* b = c.before; *b; ++b)
            blank[at++] = *b;
        for (int i = 0; i < c.width; ++i)
            blank[at++] = ' ';
    }
    return blank;
}();

// A field's bytes, trimmed: a byte of code 0 to 32 is the character of the
// same code, so trimming bytes trims the decoded text.
QByteArrayView trimmedField(const char* recordBytes, Field field) {
    const auto slot = storage::VoucherRecord::slot(field);
    const int length = std::min<int>(static_cast<uchar>(recordBytes[slot.offset]), slot.capacity);
    const char* begin = recordBytes + slot.offset + 1;
    const char* end = begin + length;
    while (begin < end && isBlankByte(static_cast<uchar>(*begin)))
        ++begin;
    while (end > begin && isBlankByte(static_cast<uchar>(end[-1])))
        --end;
    return QByteArrayView(begin, end - begin);
}

} // namespace

qsizetype listRowLength(const char* recordBytes) {
    return ListRowFixedLength + trimmedField(recordBytes, Field::Evento).size();
}

char* writeListRow(const char* recordBytes, char* out) {
    std::memcpy(out, BlankRow.data(), BlankRow.size());
    for (const Placed& p : Placed6) {
        const QByteArrayView field = trimmedField(recordBytes, p.field);
        std::memcpy(out + p.at, field.data(),
                    static_cast<std::size_t>(std::min<qsizetype>(field.size(), p.width)));
    }
    const QByteArrayView value = trimmedField(recordBytes, Field::Evento);
    std::memcpy(out + ListRowFixedLength, value.data(), static_cast<std::size_t>(value.size()));
    return out + ListRowFixedLength + value.size();
}

void appendListRow(const char* recordBytes, QByteArray& out) {
    const qsizetype at = out.size();
    out.resize(at + listRowLength(recordBytes));
    writeListRow(recordBytes, out.data() + at);
}

} // namespace scontrix::lists
