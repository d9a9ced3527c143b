#include "storage/VoucherRecord.h"

#include <gtest/gtest.h>

namespace scontrix::storage {
namespace {

using Field = VoucherRecord::Field;

QString fromUnits(const char16_t* text) {
    return QStringView(text).toString();
}

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(static_cast<char>(value));
    return result;
}

// Writing: a record with one field set, and the bytes that must appear at the
// field's place. The offsets and capacities are written out here as the
// archives in the shops have them, not taken from the code under test.
struct WriteCase {
    const char* name;
    Field field;
    const char16_t* text;
    int offset;
    int capacity;
    QByteArray expected; // from the length byte on
};

// Names the case in test names and messages instead of dumping its bytes.
void PrintTo(const WriteCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordLayout : public ::testing::TestWithParam<WriteCase> {};

TEST_P(RecordLayout, WritesTheFieldAtItsPlaceAndNothingElse) {
    const WriteCase& c = GetParam();
    VoucherRecord record;
    record.setText(c.field, fromUnits(c.text));
    const QByteArray written = record.toBytes();
    const QByteArray empty = VoucherRecord().toBytes();
    ASSERT_EQ(written.size(), 1055);

    EXPECT_EQ(VoucherRecord::slot(c.field).offset, c.offset);
    EXPECT_EQ(VoucherRecord::slot(c.field).capacity, c.capacity);
    EXPECT_EQ(written.mid(c.offset, c.expected.size()).toHex(' '), c.expected.toHex(' '));
    // Past the length the field is zero; outside the field nothing changed.
    const int fieldEnd = c.offset + 1 + c.capacity;
    const auto unused = fieldEnd - c.offset - c.expected.size();
    EXPECT_EQ(written.mid(c.offset + c.expected.size(), unused), QByteArray(unused, '\0'));
    EXPECT_EQ(written.left(c.offset), empty.left(c.offset));
    EXPECT_EQ(written.mid(fieldEnd), empty.mid(fieldEnd));
}

INSTANTIATE_TEST_SUITE_P(
    Storage, RecordLayout,
    ::testing::Values(
        WriteCase{"value", Field::Evento, u"25,00", 378, 50,
                  "\x05"
                  "25,00"},
        WriteCase{"name_cut_to_capacity", Field::Acquirente,
                  u"ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ", 0, 50,
                  "\x32"
                  "ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ"},
        WriteCase{"blanks_and_controls_trimmed", Field::Acquirente, u" \t\r\nMario Rossi \x01\x1f ",
                  0, 50,
                  "\x0b"
                  "Mario Rossi"},
        WriteCase{"street", Field::Via, u"Via Roma, 1", 51, 120,
                  "\x0b"
                  "Via Roma, 1"},
        WriteCase{"town", Field::Citta, u"Citt\u00e0 di Castello", 172, 50,
                  "\x11"
                  "Citt\xe0 di Castello"},
        WriteCase{"mobile_cut", Field::Cel, u"3331234567890123456", 223, 15,
                  "\x0f"
                  "333123456789012"},
        WriteCase{"number", Field::Num, u"12", 239, 20,
                  "\x02"
                  "12"},
        WriteCase{"start_date", Field::Prezzo, u"01/03/2024", 260, 15,
                  "\x0a"
                  "01/03/2024"},
        WriteCase{"expiry_date", Field::Spettatore, u"31/12/2024", 276, 50,
                  "\x0a"
                  "31/12/2024"},
        WriteCase{"beneficiary_no_equivalent", Field::Posto, u"\u041c\u0430\u0448\u0430 \U0001F600",
                  327, 50,
                  "\x06"
                  "???? ?"},
        WriteCase{"euro_sign", Field::Luogo, u"Buono da 10 \u20ac", 429, 120,
                  "\x0d"
                  "Buono da 10 \x80"},
        WriteCase{"accents_outside_the_code_page", Field::Scritta,
                  u"\u0141\u00f3d\u017a, Bra\u0219ov", 550, 250,
                  "\x0c"
                  "L\xf3"
                  "dz, Brasov"},
        // The capacity is in bytes of the code page, after conversion.
        WriteCase{"capacity_in_bytes", Field::Note,
                  u"\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac\u20ac", 801, 250,
                  "\x0a\x80\x80\x80\x80\x80\x80\x80\x80\x80\x80"},
        WriteCase{"cashed", Field::Pagato, u"S\u00ec", 1052, 2, bytes({0x02, 0x53, 0xEC})},
        WriteCase{"not_cashed", Field::Pagato, u"No", 1052, 2, bytes({0x02, 0x4E, 0x6F})}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(StorageVoucherRecord, EmptyRecordIsZeroButForTheFlag) {
    QByteArray expected(1055, '\0');
    expected[1052] = 0x02;
    expected[1053] = 'N';
    expected[1054] = 'o';
    EXPECT_EQ(VoucherRecord().toBytes(), expected);
}

// Reading: bytes put at a field's place in an otherwise empty record.
struct ReadCase {
    const char* name;
    Field field;
    QByteArray stored; // from the length byte on
    QString expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.name;
}

class RecordReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(RecordReading, ReadsTheFieldLeniently) {
    const ReadCase& c = GetParam();
    QByteArray record = VoucherRecord().toBytes();
    record.replace(VoucherRecord::slot(c.field).offset, c.stored.size(), c.stored);
    ASSERT_EQ(record.size(), 1055);

    const QString& expected = c.expected;
    const VoucherRecord read = VoucherRecord::fromBytes(record);
    if (c.field == Field::Pagato) {
        EXPECT_EQ(read.pagatoText, expected);
        EXPECT_EQ(read.pagato, expected == QStringLiteral("S\u00ec"));
    } else {
        EXPECT_EQ(read.text(c.field), expected);
    }
    // The scans' one-field decoder agrees with the whole-record one.
    EXPECT_EQ(VoucherRecord::field(record.constData(), c.field), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Storage, RecordReading,
    ::testing::Values(
        ReadCase{"length_above_capacity_is_capacity", Field::Cel,
                 "\xff"
                 "333123456789012XYZ",
                 fromUnits(u"333123456789012")},
        ReadCase{"bytes_past_the_length_ignored", Field::Acquirente,
                 "\x05"
                 "Mario Rossi",
                 fromUnits(u"Mario")},
        ReadCase{"controls_trimmed", Field::Acquirente,
                 bytes({8, 0, 9, ' ', 'A', 'd', 'a', 13, 10}), fromUnits(u"Ada")},
        // Non-printable bytes inside the text are kept, one character each,
        // the code page's undefined bytes as the control of the same code.
        ReadCase{"non_printable_bytes", Field::Note, bytes({5, 'a', 0x81, 0x00, 'b', 0x9D}),
                 QStringView(u"a\u0081\0b\u009d", 5).toString()},
        ReadCase{"euro_sign", Field::Evento, "\x04\x80 10", fromUnits(u"\u20ac 10")},
        ReadCase{"empty", Field::Luogo, bytes({0}), fromUnits(u"")},
        ReadCase{"flag_cashed", Field::Pagato, bytes({2, 'S', 0xEC}), fromUnits(u"S\u00ec")},
        ReadCase{"flag_not_cashed", Field::Pagato, bytes({2, 'N', 'o'}), fromUnits(u"No")},
        ReadCase{"flag_length_above_capacity", Field::Pagato, bytes({7, 'S', 0xEC}),
                 fromUnits(u"S\u00ec")},
        ReadCase{"flag_trimmed", Field::Pagato, bytes({2, ' ', 'S'}), fromUnits(u"S")},
        ReadCase{"flag_other_case", Field::Pagato, bytes({2, 's', 0xEC}), fromUnits(u"s\u00ec")},
        ReadCase{"flag_empty", Field::Pagato, bytes({0, 'S', 0xEC}), fromUnits(u"")}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(StorageVoucherRecord, EveryFieldSurvivesWriteAndRead) {
    VoucherRecord record;
    for (int i = 0; i < VoucherRecord::FieldCount - 1; ++i) {
        const auto field = static_cast<Field>(i);
        record.setText(field, QStringLiteral("%1 \u00e8\u20ac").arg(i));
    }
    for (const bool pagato : {false, true}) {
        record.pagato = pagato;
        const VoucherRecord read = VoucherRecord::fromBytes(record.toBytes());
        for (int i = 0; i < VoucherRecord::FieldCount; ++i) {
            const auto field = static_cast<Field>(i);
            EXPECT_EQ(read.text(field), record.text(field)) << "field " << i;
        }
        EXPECT_EQ(read.pagatoText, record.text(Field::Pagato));
    }
}

} // namespace
} // namespace scontrix::storage
