#include "voucher/ValueRule.h"

#include "QtPrinters.h"
#include "editor/WhatsAppNotice.h"

#include <QUrl>
#include <QUrlQuery>
#include <gtest/gtest.h>

using namespace scontrix::editor;
using namespace scontrix::voucher;

// Runs under each locale: the desktop's decimal separator is never the
// program's (a German or Italian one reads a comma, the C locale a point).
TEST(ValueRuleAnyLocale, TurnsWhatWasTypedIntoAnAmount) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"25", "25,00"},
        {"25,5", "25,50"},
        {",5", "0,50"},
        {"25,", "25,00"},
        {"0", "0,00"},
        {"007", "7,00"},
        // Half up on the binary value: 12,345 and 0,125 are held a hair above
        // their decimal text, 2,675, 10,555 and 1,115 a hair below.
        {"12,345", "12,35"},
        {"2,675", "2,67"},
        {"10,555", "10,55"},
        {"1,115", "1,11"},
        {"0,125", "0,13"},
        {",", "0,00"},
        {"1,2,3", "0,00"},
        {"", ""},
        {"   ", ""},
        {"\t", ""},
        {"999999999999999", "999999999999999,00"}, // 18 characters: not cut to the field's 15
        {"  42  ", "42,00"},
        {"1E2", "100,00"},
        {"1,5e1", "15,00"},
        {"2,5E-1", "0,25"},
        {"1E", "0,00"},
        {"E5", "0,00"},
        {"+3", "3,00"},
        {"-2,675", "-2,66"}, // the half is added before cutting towards zero
        {"-0,001", "0,00"},
        {"12.5", "0,00"},
        {"1 000", "0,00"},
        {"abc", "0,00"},
        {"1E400", "0,00"},
        {"0,0049", "0,00"},
        {"0,005", "0,01"},
        {"1E20", "100000000000000000000,00"},
        // A whole number too large for its digits is written as the binary
        // value holds it, digit by digit, never grouped nor rounded short.
        {"1E23", "99999999999999991611392,00"},
        {"7,5", "7,50"},
        {"1234,567", "1234,57"},
        {" 12,5 ", "12,50"},
        // Too small for a double is nothing; too large is no amount.
        {"1E-400", "0,00"},
        {"-1E-400", "0,00"},
        {"0,0000000000000000000000000000001E-300", "0,00"},
        {"100000000000000000000E-30", "0,00"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatVoucherValue(QString::fromUtf8(c.typed)), QString::fromUtf8(c.shown))
            << c.typed;
}

TEST(WhatsAppLink, CarriesTheMessageWhateverTheFieldsHold) {
    using scontrix::storage::Holds;
    scontrix::storage::VoucherTexts notice;
    notice[Holds::Mobile] = QStringLiteral("3331234567");
    notice[Holds::Number] = QStringLiteral("12");
    notice[Holds::Value] = QStringLiteral("25,00");
    notice[Holds::ValidFrom] = QStringLiteral("01/03/2024");
    notice[Holds::Expiry] = QStringLiteral("31/03/2024");
    notice[Holds::Beneficiary] = QStringLiteral("Luca Neri");
    notice[Holds::Place] = QStringLiteral("Bar Centrale");
    // What the customer is not told, in fields of their own.
    notice[Holds::Buyer] = QStringLiteral("Mario Cliente");
    notice[Holds::Street] = QStringLiteral("Via Roma 1");
    notice[Holds::Conditions] = QStringLiteral("Non cumulabile");
    notice[Holds::Notes] = QStringLiteral("nota interna");
    EXPECT_EQ(whatsAppMessage(notice),
              QStringLiteral(
                  "La informiamo che è stato emesso il buono acquisto n. 12 del valore di euro "
                  "25,00 spendibile dal 01/03/2024 al 31/03/2024. Il buono è intestato al "
                  "beneficiario Luca Neri che potrà utilizzarlo presso Bar Centrale"));
    EXPECT_EQ(
        whatsAppLink(notice),
        QStringLiteral(
            "https://api.whatsapp.com/send?phone=393331234567&text=La%20informiamo%20che%20"
            "%C3%A8%20stato%20emesso%20il%20buono%20acquisto%20n.%2012%20del%20valore%20di%20"
            "euro%2025%2C00%20spendibile%20dal%2001%2F03%2F2024%20al%2031%2F03%2F2024.%20Il%20"
            "buono%20%C3%A8%20intestato%20al%20beneficiario%20Luca%20Neri%20che%20potr%C3%A0%20"
            "utilizzarlo%20presso%20Bar%20Centrale"));

    // Characters that mean something in a link arrive as typed.
    notice[Holds::Place] = QStringLiteral("Bar & Caffè #1");
    notice[Holds::Mobile] = QStringLiteral("+39 333");
    notice[Holds::ValidFrom].clear();
    notice[Holds::Expiry].clear();
    const QUrl url(whatsAppLink(notice), QUrl::StrictMode);
    ASSERT_TRUE(url.isValid());
    const QUrlQuery query(url);
    EXPECT_EQ(query.queryItemValue(QStringLiteral("phone"), QUrl::FullyDecoded),
              QStringLiteral("39 333"))
        << "an international number loses its plus sign";
    const QString text = query.queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded);
    EXPECT_TRUE(text.endsWith(QStringLiteral("presso Bar & Caffè #1")));
    EXPECT_TRUE(text.contains(QStringLiteral(" spendibile dal  al . Il buono")))
        << "empty dates still go";
    EXPECT_EQ(url.fragment(), QString()) << "no '#' left to cut the message";
}
