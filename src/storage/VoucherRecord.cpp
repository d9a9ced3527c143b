#include "storage/VoucherRecord.h"

#include "storage/Text.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace scontrix::storage {

namespace {

// The two fixed flag values, length byte included.
constexpr char FlagYesBytes[] = {2, 'S', '\xEC'};
constexpr char FlagNoBytes[] = {2, 'N', 'o'};

// Members by field, in record order; Pagato has no text member.
constexpr QString VoucherRecord::*TextMembers[] = {
    &VoucherRecord::acquirente, &VoucherRecord::via,     &VoucherRecord::citta,
    &VoucherRecord::cel,        &VoucherRecord::num,     &VoucherRecord::prezzo,
    &VoucherRecord::spettatore, &VoucherRecord::posto,   &VoucherRecord::evento,
    &VoucherRecord::luogo,      &VoucherRecord::scritta, &VoucherRecord::note,
};
static_assert(std::size(TextMembers) == VoucherRecord::FieldCount - 1);

constexpr auto fieldAt(std::size_t index) {
    return static_cast<VoucherRecord::Field>(index);
}

} // namespace

QString VoucherRecord::text(Field f) const {
    if (f == Field::Pagato)
        return pagato ? flagYes() : flagNo();
    return this->*TextMembers[static_cast<std::size_t>(f)];
}

void VoucherRecord::setText(Field f, const QString& value) {
    if (f == Field::Pagato) {
        pagato = trimControl(value) == flagYes();
        return;
    }
    this->*TextMembers[static_cast<std::size_t>(f)] = value;
}

QByteArray VoucherRecord::toBytes() const {
    QByteArray bytes(Size, '\0');
    char* out = bytes.data();
    for (std::size_t i = 0; i < std::size(TextMembers); ++i) {
        const Slot s = Layout[i];
        const QByteArray encoded = cp1252::encode(trimControl(this->*TextMembers[i]));
        const auto length = std::min<qsizetype>(encoded.size(), s.capacity);
        out[s.offset] = static_cast<char>(length);
        std::memcpy(out + s.offset + 1, encoded.constData(), static_cast<std::size_t>(length));
    }
    const Slot flag = slot(Field::Pagato);
    std::memcpy(out + flag.offset, pagato ? FlagYesBytes : FlagNoBytes, sizeof FlagYesBytes);
    return bytes;
}

QString VoucherRecord::field(const char* recordBytes, Field f) {
    const Slot s = slot(f);
    const int length = std::min<int>(static_cast<uchar>(recordBytes[s.offset]), s.capacity);
    return trimControl(cp1252::decode(recordBytes + s.offset + 1, length));
}

VoucherRecord VoucherRecord::fromRaw(const char* recordBytes) {
    VoucherRecord record;
    for (std::size_t i = 0; i < std::size(TextMembers); ++i)
        record.*TextMembers[i] = field(recordBytes, fieldAt(i));
    record.pagatoText = field(recordBytes, Field::Pagato);
    record.pagato = record.pagatoText == flagYes();
    return record;
}

VoucherRecord VoucherRecord::fromBytes(const QByteArray& bytes) {
    if (bytes.size() >= Size)
        return fromRaw(bytes.constData());
    QByteArray padded = bytes;
    padded.append(Size - bytes.size(), '\0');
    return fromRaw(padded.constData());
}

} // namespace scontrix::storage
