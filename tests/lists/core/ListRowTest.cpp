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

TEST(ListRowShape, ColumnsStartWhereTheListSaysAndAnEmptyVoucherTrimsToValore) {
    const QString example = rowCases()[0].expected;
    EXPECT_EQ(example.size(), 151);
    // 1-based starts of the fixed texts.
    EXPECT_EQ(example.indexOf(QStringLiteral("  Cel. ")) + 1, 27);
    EXPECT_EQ(example.indexOf(QStringLiteral("  Buono n. ")) + 1, 48);
    EXPECT_EQ(example.indexOf(QStringLiteral("  Dal: ")) + 1, 69);
    EXPECT_EQ(example.indexOf(QStringLiteral("  Al: ")) + 1, 86);
    EXPECT_EQ(example.indexOf(QStringLiteral("  Per: ")) + 1, 102);
    EXPECT_EQ(example.indexOf(QStringLiteral("  Valore: ")) + 1, 135);
    EXPECT_EQ(example.indexOf(QStringLiteral("50,00")) + 1, 147);

    const QString empty = lists::buildListRow(VoucherRecord());
    EXPECT_EQ(empty.size(), 146);
    EXPECT_TRUE(empty.trimmed().endsWith(QStringLiteral("Valore: \u20ac")));
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
