#include "lists/ListRow.h"

#include "QtPrinters.h"
#include "lists/ListRows.h"
#include "storage/Windows1252.h"

#include <gtest/gtest.h>

using namespace scontrix;
using storage::VoucherRecord;

namespace {

struct RowCase {
    const char* name;
    VoucherRecord record;
    QString expected;
};

void PrintTo(const RowCase& c, std::ostream* os) {
    *os << c.name;
}

VoucherRecord voucher(const QString& customer, const QString& cel, const QString& num,
                      const QString& from, const QString& to, const QString& beneficiary,
                      const QString& value) {
    VoucherRecord r;
    r.acquirente = customer;
    r.cel = cel;
    r.num = num;
    r.prezzo = from;
    r.spettatore = to;
    r.posto = beneficiary;
    r.evento = value;
    // Fields the row does not show, to be sure they stay out of it.
    r.via = QStringLiteral("Via Nascosta 9");
    r.note = QStringLiteral("nota nascosta");
    return r;
}

// The expected rows are written out column by column from the list's layout,
// not built the way the code builds them.
QString pad(const QString& text, int width) {
    return text + QString(width - text.size(), u' ');
}

const QString Euro = QStringLiteral("\u20ac");

std::vector<RowCase> rowCases() {
    return {
        {"TheExampleOf151Characters",
         voucher(QStringLiteral("Mario Rossi"), QStringLiteral("3331234567"), QStringLiteral("12"),
                 QStringLiteral("01/03/2024"), QStringLiteral("31/12/2024"),
                 QStringLiteral("Anna Bianchi"), QStringLiteral("50,00")),
         QStringLiteral("Mario Rossi                 Cel. 3331234567      Buono n. 12          "
                        "Dal: 01/03/2024  Al: 31/12/2024  Per: Anna Bianchi                "
                        "Valore: \u20ac 50,00")},
        {"EachColumnCutAtItsWidth",
         voucher(QStringLiteral("Bartolomeo Alessandrini Vasquez"),
                 QStringLiteral("+39 333 1234 5678"), QStringLiteral("2024-000000123"),
                 QStringLiteral("01/03/2024 ore 9"), QStringLiteral("31/12/2024 sera"),
                 QStringLiteral("Maria Antonietta Buonarroti Junior"), QStringLiteral("75,00")),
         QStringLiteral("Bartolomeo Alessandrini Va") + QStringLiteral("  Cel. ") +
             QStringLiteral("+39 333 1234 5") + QStringLiteral("  Buono n. ") +
             QStringLiteral("2024-00000") + QStringLiteral("  Dal: ") +
             QStringLiteral("01/03/2024") + QStringLiteral("  Al: ") +
             QStringLiteral("31/12/2024") + QStringLiteral("  Per: ") +
             QStringLiteral("Maria Antonietta Buonarrot") + QStringLiteral("  Valore: ") + Euro +
             QStringLiteral(" 75,00")},
        {"FieldsTrimmedBeforePadding",
         voucher(QStringLiteral("  \tLucia\r\n"), QStringLiteral(" 333 "),
                 QStringLiteral("\x01"
                                "7"),
                 {}, {}, QStringLiteral(" Città "), QStringLiteral("  10,00  ")),
         pad(QStringLiteral("Lucia"), 26) + QStringLiteral("  Cel. ") +
             pad(QStringLiteral("333"), 14) + QStringLiteral("  Buono n. ") +
             pad(QStringLiteral("7"), 10) + QStringLiteral("  Dal: ") + pad({}, 10) +
             QStringLiteral("  Al: ") + pad({}, 10) + QStringLiteral("  Per: ") +
             pad(QStringLiteral("Città"), 26) + QStringLiteral("  Valore: ") + Euro +
             QStringLiteral(" 10,00")},
        {"EmptyVoucherIs146Characters", VoucherRecord(),
         pad({}, 26) + QStringLiteral("  Cel. ") + pad({}, 14) + QStringLiteral("  Buono n. ") +
             pad({}, 10) + QStringLiteral("  Dal: ") + pad({}, 10) + QStringLiteral("  Al: ") +
             pad({}, 10) + QStringLiteral("  Per: ") + pad({}, 26) + QStringLiteral("  Valore: ") +
             Euro + QStringLiteral(" ")},
        {"ValueLongerThanAnyWidthIsKeptWhole",
         voucher(QStringLiteral("Ugo"), {}, {}, {}, {}, {},
                 QStringLiteral("cinquanta euro e venti centesimi, entro l'anno")),
         pad(QStringLiteral("Ugo"), 26) + QStringLiteral("  Cel. ") + pad({}, 14) +
             QStringLiteral("  Buono n. ") + pad({}, 10) + QStringLiteral("  Dal: ") + pad({}, 10) +
             QStringLiteral("  Al: ") + pad({}, 10) + QStringLiteral("  Per: ") + pad({}, 26) +
             QStringLiteral("  Valore: ") + Euro +
             QStringLiteral(" cinquanta euro e venti centesimi, entro l'anno")},
    };
}

class ListRow : public ::testing::TestWithParam<RowCase> {};

TEST_P(ListRow, FromTheRecordAndFromItsBytesAlike) {
    const RowCase& c = GetParam();
    EXPECT_EQ(lists::buildListRow(c.record), c.expected);

    // From the stored bytes, as the archive scans build it: the same text, and
    // stored values are cut to their field's capacity first.
    const QByteArray stored = c.record.toBytes();
    QByteArray bytes;
    lists::appendListRow(stored.constData(), bytes);
    EXPECT_EQ(storage::cp1252::decode(bytes),
              lists::buildListRow(VoucherRecord::fromBytes(stored)));
    EXPECT_EQ(storage::cp1252::decode(bytes), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Lists, ListRow, ::testing::ValuesIn(rowCases()),
                         [](const auto& row) { return std::string(row.param.name); });

// ------------------------------------------------------- crafted records
//
// Records laid byte by byte, as another program or a damaged disk may leave
// them: the row must follow the reading rule of a stored field (the first
// L bytes, L no more than the capacity, decoded from Windows-1252, then
// trimmed of codes 0 to 32 at both ends), on the bytes path of the scans and
// on the text path of the editor's record alike. The expected rows are
// written out from that rule, character by character.

using Field = VoucherRecord::Field;

struct Laid {
    Field field;
    int length; // the length byte as stored, 0 to 255
    QByteArray bytes;
};

// Every text byte is first 0xAA ("ª"), the leftover of some earlier content
// that no reader may show; every length byte is 0.
QByteArray craft(std::initializer_list<Laid> fields) {
    QByteArray record(VoucherRecord::Size, '\xaa');
    for (const auto& slot : VoucherRecord::Layout)
        record[slot.offset] = '\0';
    for (const Laid& f : fields) {
        const auto slot = VoucherRecord::slot(f.field);
        record[slot.offset] = static_cast<char>(f.length);
        record.replace(slot.offset + 1, f.bytes.size(), f.bytes);
    }
    return record;
}

// The bytes of a literal, zero bytes inside it included.
template <std::size_t N> QByteArray raw(const char (&literal)[N]) {
    return QByteArray(literal, static_cast<qsizetype>(N - 1));
}

// A row written out from its columns: the six padded ones, then the value.
QString rowOf(const QString& customer, const QString& cel, const QString& num, const QString& from,
              const QString& to, const QString& beneficiary, const QString& value) {
    return pad(customer, 26) + QStringLiteral("  Cel. ") + pad(cel, 14) +
           QStringLiteral("  Buono n. ") + pad(num, 10) + QStringLiteral("  Dal: ") +
           pad(from, 10) + QStringLiteral("  Al: ") + pad(to, 10) + QStringLiteral("  Per: ") +
           pad(beneficiary, 26) + QStringLiteral("  Valore: ") + Euro + QStringLiteral(" ") + value;
}

struct CraftedCase {
    const char* name;
    QByteArray record;
    QString expected;
};

void PrintTo(const CraftedCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<CraftedCase> craftedCases() {
    const QString fifty = QStringLiteral("12345678901234567890123456789012345678901234567890");
    return {
        {"ControlCodesAndBlanksTrimmedAtTheEndsKeptInside",
         craft({{Field::Acquirente, 18,
                 raw("\x00\t Lu\x07"
                     "cia\tRossi\r\n\x1f")},
                // Nothing but codes 0 to 32: an empty column.
                {Field::Cel, 15, raw("\x01\x02 \t\x0b\x0c\x0e\x10\x11\x18\x1b\x1c\x1d\x1e\x1f")},
                // Code 127 and the no-break space (160) are above 32: they stay.
                {Field::Num, 3, raw("12\x7f")},
                {Field::Prezzo, 12,
                 raw("\x00"
                     "01/03/2024\x00")},
                {Field::Spettatore, 14, raw("  31/12/2024\r\n")},
                {Field::Posto, 6,
                 raw("\xa0"
                     "Anna\xa0")},
                {Field::Evento, 9, raw("\x1f 25,00\x00\x00")}}),
         rowOf(QStringLiteral("Lu\x07"
                              "cia\tRossi"),
               {}, QStringLiteral("12\x7f"), QStringLiteral("01/03/2024"),
               QStringLiteral("31/12/2024"), QStringLiteral("\u00a0Anna\u00a0"),
               QStringLiteral("25,00"))},
        {"LengthByte255ReadsAsTheCapacityAndNoFurther",
         // Each field full to its capacity, with the next field's length byte
         // and text right after it: a reader going past the capacity would
         // bring them into the column.
         craft({{Field::Acquirente, 255, QByteArray(50, ' ')},
                {Field::Via, 8, raw("Via Roma")},
                {Field::Citta, 6, raw("Torino")},
                {Field::Cel, 255, QByteArray(15, ' ')},
                {Field::Num, 4, raw("A-77")},
                {Field::Prezzo, 255, raw("01/03/2024\t\t\t\t\t")},
                {Field::Spettatore, 255, raw("31/12/2024") + QByteArray(40, '\0')},
                {Field::Posto, 255, QByteArray(50, '\r')},
                {Field::Evento, 255, fifty.toLatin1()},
                {Field::Luogo, 3, raw("Bar")}}),
         rowOf({}, {}, QStringLiteral("A-77"), QStringLiteral("01/03/2024"),
               QStringLiteral("31/12/2024"), {}, fifty)},
        {"LengthByteJustPastTheCapacity",
         // The 51st byte would be the place's length byte, 65: an "A".
         craft({{Field::Evento, 51, raw("50,00") + QByteArray(45, ' ')},
                {Field::Luogo, 65, raw("Bar Centrale")}}),
         rowOf({}, {}, {}, {}, {}, {}, QStringLiteral("50,00"))},
        {"HighBytesOfTheCodePage",
         craft({{Field::Acquirente, 13, raw("Caff\xe8 Nicol\xf2 ")},
                {Field::Cel, 4, raw("\x80\x85\x96\x97")},
                {Field::Num, 3, raw("\xe0\xaa\xba")},
                {Field::Prezzo, 3, raw("\x8a\x9a\x9f")},
                {Field::Spettatore, 4, raw("\x8c\x9c\xff\xc0")},
                {Field::Posto, 10,
                 raw("\x9c"
                     "uvre \x93"
                     "d\x92"
                     "\x94")},
                {Field::Evento, 7, raw("\x80 10,00")}}),
         rowOf(QStringLiteral("Caff\u00e8 Nicol\u00f2"), QStringLiteral("\u20ac\u2026\u2013\u2014"),
               QStringLiteral("\u00e0\u00aa\u00ba"), QStringLiteral("\u0160\u0161\u0178"),
               QStringLiteral("\u0152\u0153\u00ff\u00c0"),
               QStringLiteral("\u0153uvre \u201cd\u2019\u201d"), QStringLiteral("\u20ac 10,00"))},
        {"HighByteAtTheCutOfAColumn",
         // 27 characters, the 26th and 27th accented: the cut falls between them.
         craft({{Field::Acquirente, 27, raw("Bartolomeo Alessandrini V\xe0\xe8")},
                {Field::Posto, 27, raw("Maria Antonietta Buonarro\x9c\x80")}}),
         rowOf(QStringLiteral("Bartolomeo Alessandrini V\u00e0"), {}, {}, {}, {},
               QStringLiteral("Maria Antonietta Buonarro\u0153"), {})},
        {"BytesPastTheLengthAreLeftovers",
         craft({{Field::Acquirente, 5, raw("Mario Rossi")},
                {Field::Cel, 0, raw("3331234567")},
                {Field::Num, 2, raw("12345")},
                {Field::Evento, 2, raw("50,00")}}),
         rowOf(QStringLiteral("Mario"), {}, QStringLiteral("12"), {}, {}, {},
               QStringLiteral("50"))},
    };
}

class CraftedListRow : public ::testing::TestWithParam<CraftedCase> {};

TEST_P(CraftedListRow, FollowsTheFieldReadingRuleOnBothPaths) {
    const CraftedCase& c = GetParam();
    ASSERT_EQ(c.record.size(), VoucherRecord::Size);
    QByteArray bytes;
    lists::appendListRow(c.record.constData(), bytes);
    EXPECT_EQ(storage::cp1252::decode(bytes), c.expected) << "the scans' bytes";
    EXPECT_EQ(lists::listRowLength(c.record.constData()), bytes.size());
    EXPECT_EQ(lists::buildListRow(VoucherRecord::fromBytes(c.record)), c.expected)
        << "the editor's record";
    EXPECT_EQ(lists::buildListRow(VoucherRecord::fromRaw(c.record.constData())), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Bytes, CraftedListRow, ::testing::ValuesIn(craftedCases()),
                         [](const auto& row) { return std::string(row.param.name); });

// ------------------------------------------------------------ row shape
//
// Measured on the rows the code builds, on both paths: each fixed text at its
// column whatever the fields hold, the value from column 147 on.

struct Shaped {
    std::string name;
    QString row;
};

std::vector<Shaped> builtRows() {
    std::vector<Shaped> rows;
    for (const RowCase& c : rowCases()) {
        rows.push_back({std::string(c.name) + " (record)", lists::buildListRow(c.record)});
        QByteArray bytes;
        lists::appendListRow(c.record.toBytes().constData(), bytes);
        rows.push_back({std::string(c.name) + " (bytes)", storage::cp1252::decode(bytes)});
    }
    for (const CraftedCase& c : craftedCases()) {
        QByteArray bytes;
        lists::appendListRow(c.record.constData(), bytes);
        rows.push_back({std::string(c.name) + " (bytes)", storage::cp1252::decode(bytes)});
        rows.push_back({std::string(c.name) + " (record)",
                        lists::buildListRow(VoucherRecord::fromBytes(c.record))});
    }
    return rows;
}

TEST(ListRowShape, ColumnsStartWhereTheListSaysAndAnEmptyVoucherTrimsToValore) {
    const struct {
        int start; // 1-based
        QString fixed;
    } columns[] = {
        {27, QStringLiteral("  Cel. ")},  {48, QStringLiteral("  Buono n. ")},
        {69, QStringLiteral("  Dal: ")},  {86, QStringLiteral("  Al: ")},
        {102, QStringLiteral("  Per: ")}, {135, QStringLiteral("  Valore: ") + Euro + u' '},
    };
    for (const Shaped& built : builtRows()) {
        SCOPED_TRACE(built.name);
        ASSERT_GE(built.row.size(), 146);
        for (const auto& column : columns)
            EXPECT_EQ(built.row.mid(column.start - 1, column.fixed.size()), column.fixed)
                << "column " << column.start;
    }

    const VoucherRecord example = rowCases()[0].record;
    const QString row = lists::buildListRow(example);
    EXPECT_EQ(row.size(), 151);
    EXPECT_EQ(row.mid(146), QStringLiteral("50,00")) << "the value from column 147";
    EXPECT_EQ(row.left(26), pad(QStringLiteral("Mario Rossi"), 26));
    EXPECT_EQ(row.mid(33, 14), pad(QStringLiteral("3331234567"), 14));
    EXPECT_EQ(row.mid(58, 10), pad(QStringLiteral("12"), 10));
    EXPECT_EQ(row.mid(75, 10), QStringLiteral("01/03/2024"));
    EXPECT_EQ(row.mid(91, 10), QStringLiteral("31/12/2024"));
    EXPECT_EQ(row.mid(108, 26), pad(QStringLiteral("Anna Bianchi"), 26));

    const QString empty = lists::buildListRow(VoucherRecord());
    EXPECT_EQ(empty.size(), 146);
    EXPECT_TRUE(empty.trimmed().endsWith(QStringLiteral("Valore: \u20ac")));
    QByteArray emptyBytes;
    lists::appendListRow(VoucherRecord().toBytes().constData(), emptyBytes);
    EXPECT_EQ(storage::cp1252::decode(emptyBytes), empty);
}

// The list order: UTF-16 code units with only a-z folded, a prefix first.
struct OrderCase {
    const char* name;
    const char16_t* before;
    const char16_t* after;
};

class ListOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(ListOrder, SortsTheFirstBeforeTheSecond) {
    const QString a = QString::fromUtf16(GetParam().before);
    const QString b = QString::fromUtf16(GetParam().after);
    EXPECT_TRUE(lists::listTextLess(a, b));
    EXPECT_FALSE(lists::listTextLess(b, a));

    // The compact rows sort the same way whatever order they come in.
    for (const bool reversed : {false, true}) {
        lists::ListRows rows;
        rows.append(reversed ? a : b);
        rows.append(reversed ? b : a);
        rows.sort();
        EXPECT_EQ(rows.text(0), a);
        EXPECT_EQ(rows.text(1), b);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, ListOrder,
    ::testing::Values(OrderCase{"LowerCaseCountsAsUpper", u"bianchi", u"Rossi"},
                      OrderCase{"FoldedLettersComeBeforeTheUnderscore", u"rossi", u"R_ssi"},
                      OrderCase{"FoldedLettersComeBeforeTheBracket", u"x", u"[bar]"},
                      OrderCase{"AccentedCapitalsAreNotFolded", u"\u00c0ngelo", u"\u00e0ngelo"},
                      OrderCase{"AccentedLetterAfterEveryAsciiLetter", u"Zeno", u"\u00c9lena"},
                      OrderCase{"EuroSignAfterAccentedLetters", u"\u00ff", u"\u20ac"},
                      OrderCase{"PrefixFirst", u"Ross", u"Rossi"},
                      OrderCase{"PrefixFirstIgnoringCase", u"ROSS", u"rossi"},
                      OrderCase{"ShortRowPrefixOfLongerOne", u"Ro", u"Rossini"},
                      OrderCase{"SpaceBeforeLetters", u"Rossi Mario", u"Rossini"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(ListOrderStable, RowsEqualIgnoringCaseKeepTheirArchiveOrder) {
    lists::ListRows rows;
    for (const char* text : {"rossi 2", "ROSSI 1", "Rossi 1", "bianchi"})
        rows.append(QString::fromLatin1(text));
    rows.sort();
    EXPECT_EQ(rows.text(0), QStringLiteral("bianchi"));
    EXPECT_EQ(rows.text(1), QStringLiteral("ROSSI 1"));
    EXPECT_EQ(rows.text(2), QStringLiteral("Rossi 1"));
    EXPECT_EQ(rows.text(3), QStringLiteral("rossi 2"));
}

} // namespace
