#include "storage/Text.h"

#include <gtest/gtest.h>

namespace scontrix::storage {
namespace {

struct TextCase {
    const char16_t* input;
    const char16_t* expected;
};

TEST(StorageText, TrimControlRemovesCodesUpTo32OnlyAtTheEnds) {
    const TextCase cases[] = {
        {u"  Mario Rossi  ", u"Mario Rossi"},
        {u"\t\r\nMario\x1f", u"Mario"},
        {u"\x01\x02Mario \t Rossi", u"Mario \t Rossi"},
        {u"", u""},
        {u" \t\r\n\x1f ", u""},
        // Code 127 and the Unicode spaces above 32 are text and stay.
        {u"\x7f"
         u"Mario\x7f",
         u"\x7f"
         u"Mario\x7f"},
        {u"\u00a0Mario\u2003", u"\u00a0Mario\u2003"},
    };
    for (const auto& c : cases) {
        const QString input = QStringView(c.input).toString();
        EXPECT_EQ(trimControl(input), QStringView(c.expected).toString()) << input.toStdString();
    }
    // A zero character is a control character too, and inside the text it stays.
    const QString withZero =
        QChar(0) + QStringLiteral("A") + QChar(0) + QStringLiteral("B") + QChar(0);
    EXPECT_EQ(trimControl(withZero), QStringLiteral("A") + QChar(0) + QStringLiteral("B"));
}

TEST(StorageText, FoldAsciiUpperTouchesOnlyAsciiLetters) {
    const TextCase cases[] = {
        {u"buono acquisto", u"BUONO ACQUISTO"},
        {u"az AZ 09 @[`{", u"AZ AZ 09 @[`{"},
        {u"citt\u00e0 \u00e8 perch\u00e9", u"CITT\u00e0 \u00e8 PERCH\u00e9"},
        {u"stra\u00dfe \u0131 \u0101", u"STRA\u00dfE \u0131 \u0101"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(foldAsciiUpper(QStringView(c.input).toString()),
                  QStringView(c.expected).toString());
}

} // namespace
} // namespace scontrix::storage
