// Record decoding: any bytes an archive may hold, whole records, short ones
// and longer ones.
#include "FuzzCheck.h"
#include "storage/VoucherRecord.h"

#include <cstdint>

using scontrix::storage::VoucherRecord;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const VoucherRecord record = VoucherRecord::fromBytes(bytes);

    // Scans read single fields in place; they must see what the whole read sees.
    if (bytes.size() >= VoucherRecord::Size) {
        for (int f = 0; f < VoucherRecord::FieldCount - 1; ++f) {
            const auto field = static_cast<VoucherRecord::Field>(f);
            FUZZ_CHECK(VoucherRecord::field(bytes.constData(), field) == record.text(field));
        }
        FUZZ_CHECK(VoucherRecord::field(bytes.constData(), VoucherRecord::Field::Pagato) ==
                   record.pagatoText);
    }
    FUZZ_CHECK(record.pagato == (record.pagatoText == VoucherRecord::flagYes()));

    // Whatever was read is written as a clean record that reads back the same.
    const QByteArray written = record.toBytes();
    FUZZ_CHECK(written.size() == VoucherRecord::Size);
    const VoucherRecord again = VoucherRecord::fromBytes(written);
    for (int f = 0; f < VoucherRecord::FieldCount; ++f) {
        const auto field = static_cast<VoucherRecord::Field>(f);
        FUZZ_CHECK(again.text(field) == record.text(field));
    }
    FUZZ_CHECK(again.toBytes() == written);
    return 0;
}
