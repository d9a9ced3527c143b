// The search on record bytes against the plain way: decode the field, trim
// it, fold a-z on both sides, look for the filter text.
#include "FuzzCheck.h"
#include "lists/ByteMatch.h"
#include "lists/SearchFilters.h"
#include "storage/Text.h"
#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <cstdint>

using namespace scontrix;
using storage::VoucherRecord;

namespace {

bool plainMatch(const QString& field, const QString& filter) {
    if (filter.isEmpty())
        return false;
    // A character the code page lacks can never be in a stored field.
    if (storage::cp1252::decode(storage::cp1252::encode(filter)) != filter)
        return false;
    return storage::foldAsciiUpper(field).contains(storage::foldAsciiUpper(filter));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // First byte: the filter's length; then the filter as Windows-1252, with
    // byte 0x81 standing for a character outside the code page; the rest is
    // the haystack, also read as a record.
    const std::size_t length = std::min<std::size_t>(data[0] % 24, size - 1);
    const QByteArray filterBytes(reinterpret_cast<const char*>(data + 1),
                                 static_cast<qsizetype>(length));
    QString filter = storage::cp1252::decode(filterBytes);
    filter.replace(QChar(0x81), QChar(0x0151)); // "ő"
    const QByteArray hay(reinterpret_cast<const char*>(data + 1 + length),
                         static_cast<qsizetype>(size - 1 - length));

    const lists::ByteMatch match(filter);
    FUZZ_CHECK(match.foundIn(hay) == plainMatch(storage::cp1252::decode(hay), filter));

    QByteArray record = hay.left(VoucherRecord::Size);
    record.append(VoucherRecord::Size - record.size(), '\0');
    const VoucherRecord decoded = VoucherRecord::fromBytes(record);
    for (VoucherRecord::Field field : {VoucherRecord::Field::Acquirente, VoucherRecord::Field::Cel,
                                       VoucherRecord::Field::Evento, VoucherRecord::Field::Note}) {
        const lists::SearchFilters filters({{field, filter}});
        const bool active = !storage::trimControl(filter).isEmpty();
        const bool expected = !active || plainMatch(decoded.text(field), filter);
        FUZZ_CHECK(filters.matches(record.constData()) == expected);
    }
    return 0;
}
