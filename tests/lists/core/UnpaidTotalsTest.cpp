#include "lists/UnpaidTotals.h"

#include <QDate>
#include <QList>
#include <QString>
#include <gtest/gtest.h>
#include <utility>

using namespace scontrix;

namespace {

struct TotalsCase {
    const char* name;
    QList<std::pair<QString, QString>> vouchers; // value, expiry
    QString expected;
};

void PrintTo(const TotalsCase& c, std::ostream* os) {
    *os << c.name;
}

// The same table through both readers: the text one and the byte one the
// window's scan uses. Runs under each locale.
class TotalsAnyLocale : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(TotalsAnyLocale, ReadsAsTheShopkeeperWouldSayIt) {
    lists::UnpaidTotals fromText;
    lists::UnpaidTotals fromBytes;
    for (const auto& [value, expiry] : GetParam().vouchers) {
        fromText.add(value, expiry, QDate(2024, 6, 15));
        fromBytes.addBytes(value.toLatin1(), expiry.toLatin1(), QDate(2024, 6, 15));
    }
    EXPECT_EQ(fromText.summary(), GetParam().expected) << "read from text";
    EXPECT_EQ(fromBytes.summary(), GetParam().expected) << "read from bytes";
}

INSTANTIATE_TEST_SUITE_P(
    Lists, TotalsAnyLocale,
    ::testing::Values(
        TotalsCase{
            "Nothing", {}, QStringLiteral("0 buoni non incassati per \u20ac 0,00, 0 scaduti")},
        TotalsCase{"OneExpiredTheDayBefore",
                   {{QStringLiteral("25,00"), QStringLiteral("14/06/2024")}},
                   QStringLiteral("1 buono non incassato per \u20ac 25,00, 1 scaduto")},
        TotalsCase{"ExpiringTodayIsStillValid",
                   {{QStringLiteral("10"), QStringLiteral("15/06/2024")},
                    {QStringLiteral("2,5"), QStringLiteral("31/12/2024")}},
                   QStringLiteral("2 buoni non incassati per \u20ac 12,50, 0 scaduti")},
        // What the editor's rule writes for fifteen typed digits is an amount.
        TotalsCase{"ThirteenToFifteenDigitsAreAmounts",
                   {{QStringLiteral("1234567890123"), {}},
                    {QStringLiteral("999999999999999,00"), {}},
                    {QStringLiteral("12345678901234,5"), {}}},
                   QStringLiteral("3 buoni non incassati per \u20ac 1.013.580.246.791.356,50, "
                                  "0 scaduti")},
        // No voucher is worth less than nothing: left out, not taken off.
        TotalsCase{"ANegativeValueIsLeftOutNotTakenOff",
                   {{QStringLiteral("10,00"), {}}, {QStringLiteral("-2,50"), {}}},
                   QStringLiteral("2 buoni non incassati per \u20ac 10,00, 0 scaduti "
                                  "(1 valore negativo escluso)")},
        TotalsCase{"AnEmptyValueIsNamedSo",
                   {{QStringLiteral("10,00"), {}}, {QString(), {}}},
                   QStringLiteral("2 buoni non incassati per \u20ac 10,00, 0 scaduti "
                                  "(1 valore mancante escluso)")},
        TotalsCase{"EachKindLeftOutIsNamed",
                   {{QStringLiteral("dieci"), {}},
                    {QStringLiteral("1,2,3"), {}},
                    {QString(), {}},
                    {QStringLiteral("-1"), {}},
                    {QStringLiteral("-3"), {}},
                    {QStringLiteral("5"), {}}},
                   QStringLiteral("6 buoni non incassati per \u20ac 5,00, 0 scaduti (2 valori non "
                                  "numerici, 1 valore mancante e 2 valori negativi esclusi)")},
        // Past what 64 bits of cents hold; the sum stays exact.
        TotalsCase{
            "TheSumOfTheLargestValuesDoesNotOverflow",
            QList<std::pair<QString, QString>>(100, {QStringLiteral("999999999999999,00"), {}}),
            QStringLiteral("100 buoni non incassati per \u20ac 99.999.999.999.999.900,00, "
                           "0 scaduti")},
        TotalsCase{"OneValueNotAnAmount",
                   {{QStringLiteral("50.00"), QStringLiteral("01/01/2024")}},
                   QStringLiteral("1 buono non incassato per \u20ac 0,00, 1 scaduto "
                                  "(1 valore non numerico escluso)")},
        TotalsCase{"CentsAddUpExactly",
                   {{QStringLiteral("0,10"), {}},
                    {QStringLiteral("0,20"), {}},
                    {QStringLiteral("0,70"), {}}},
                   QStringLiteral("3 buoni non incassati per \u20ac 1,00, 0 scaduti")},
        TotalsCase{"AValueWithAnExponentAsTheEditorReadsIt",
                   {{QStringLiteral("1,5E1"), {}}, {QStringLiteral(" 2,25 "), {}}},
                   QStringLiteral("2 buoni non incassati per \u20ac 17,25, 0 scaduti")},
        // The separator of the machine that stored the date, whatever this one's.
        TotalsCase{"DatesStoredWithAPointOrADash",
                   {{QStringLiteral("1,00"), QStringLiteral("14.06.2024")},
                    {QStringLiteral("1,00"), QStringLiteral("14-06-2024")},
                    {QStringLiteral("1,00"), QStringLiteral("15.06.2024")},
                    {QStringLiteral("1,00"), QStringLiteral("16-06-2024")}},
                   QStringLiteral("4 buoni non incassati per \u20ac 4,00, 2 scaduti")},
        TotalsCase{"DatesThatAreNoDates",
                   {{QStringLiteral("1,00"), QStringLiteral("14/06.2024")},
                    {QStringLiteral("1,00"), QStringLiteral("14 06 2024")},
                    {QStringLiteral("1,00"), QStringLiteral("31/02/2024")},
                    {QStringLiteral("1,00"), QStringLiteral("1/6/2024")}},
                   QStringLiteral("4 buoni non incassati per \u20ac 4,00, 0 scaduti")}),
    [](const auto& row) { return std::string(row.param.name); });

} // namespace
