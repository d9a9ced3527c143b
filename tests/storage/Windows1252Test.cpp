#include "storage/Windows1252.h"

#include <QSet>
#include <gtest/gtest.h>

namespace scontrix::storage {
namespace {

TEST(StorageWindows1252, EveryByteDecodesToItsOwnCharacterAndBack) {
    QSet<char16_t> seen;
    for (int value = 0; value < 256; ++value) {
        const QByteArray byte(1, static_cast<char>(value));
        const QString text = cp1252::decode(byte);
        ASSERT_EQ(text.size(), 1) << value;
        EXPECT_EQ(cp1252::encode(text), byte) << "byte " << value;
        seen.insert(text.at(0).unicode());
    }
    EXPECT_EQ(seen.size(), 256);
    // A whole string of them, in and out.
    QByteArray all;
    for (int value = 0; value < 256; ++value)
        all.append(static_cast<char>(value));
    EXPECT_EQ(cp1252::encode(cp1252::decode(all)), all);
}

TEST(StorageWindows1252, DecodesTheCodePageTable) {
    // 80 to 9F are where the code page differs from Latin-1.
    const char16_t high[32] = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };
    for (int value = 0; value < 256; ++value) {
        const char16_t expected =
            value >= 0x80 && value <= 0x9F ? high[value - 0x80] : static_cast<char16_t>(value);
        EXPECT_EQ(cp1252::decodeByte(static_cast<uchar>(value)).unicode(), expected)
            << "byte " << value;
    }
}

TEST(StorageWindows1252, CharactersOutsideTheCodePageGetACloseEquivalent) {
    struct Case {
        const char16_t* text;
        QByteArray expected;
    };
    const Case cases[] = {
        // In the code page as they are.
        {u"\u20ac \u2026 \u201c\u201d \u2013\u2014 \u00e8", "\x80 \x85 \x93\x94 \x96\x97 \xe8"},
        // Accented letters the code page lacks: the base letter.
        {u"\u0101 \u0142 \u0151 \u010c \u0219 \u015f \u0107", "a l o C s s c"},
        {u"\u0141\u00f3d\u017a \u0110akovo \u0127 \u0131", "L\xf3"
                                                           "dz Dakovo h i"},
        // Or the letter with the accent the code page has.
        {u"\u01d6 \u1ea4", "\xfc \xc2"},
        // A base letter followed by a combining accent is one letter.
        {u"e\u0301 a\u0300", "\xe9 \xe0"},
        // An accent with no letter of the code page to sit on is left out.
        {u"x\u0301", "x"},
        // Quotes, dashes and spaces the code page lacks: plain ones.
        {u"\u201bA\u201f \u2010\u2011\u2012\u2015\u2212 \u2032\u2033", "'A\" ----- '\""},
        {u"a\u2009b\u202fc\u3000d", "a b c d"},
        // Invisible format characters vanish.
        {u"\ufeffab\u200bc\u200d", "abc"},
        {u"\u20a4 10", "\xa3 10"},
        // No equivalent: one "?" per character, surrogate pairs included.
        {u"\u041c\u043e\u0441\u043a\u0432\u0430", "??????"},
        {u"\u03a9 \u6f22 \ud55c", "? ? ?"},
        {u"a\U0001F600b", "a?b"},
        {u"a\xd83d"
         u"b",
         "a?b"},
    };
    for (const auto& c : cases) {
        const QString text = QStringView(c.text).toString();
        EXPECT_EQ(cp1252::encode(text), c.expected) << text.toStdString();
    }
}

} // namespace
} // namespace scontrix::storage
