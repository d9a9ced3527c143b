#include "access/Crypt.h"

#include <QFile>
#include <gtest/gtest.h>
#include <random>

using namespace scontrix::access;

namespace {

bool isUpperHex(const QString& s) {
    for (QChar c : s) {
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F')))
            return false;
    }
    return true;
}

} // namespace

TEST(Crypt, KnownVectorIsTheShippedFirstAccessPassword) {
    EXPECT_EQ(Crypt::Scramble(QStringLiteral("LUCERNAVIOLINA")),
              QStringLiteral("5EA725367CF897B6EDDFC9FA7726"));
    EXPECT_EQ(Crypt::Scramble(QString()), QString());
    EXPECT_EQ(Crypt::Unscramble(QString()), QString());
}

// Every length from 0 to 255, every character U+0000..U+00FF: scrambling is
// undone exactly, also through bytes that scramble to 00.
TEST(Crypt, RoundTripOfEveryLengthAndCharacter) {
    std::mt19937 random(20261210);
    std::uniform_int_distribution<int> latin1(0, 0xFF);
    bool sawZeroByte = false;
    for (int length = 0; length <= Crypt::MaxPasswordLength; ++length) {
        QString password;
        for (int i = 0; i < length; ++i)
            password += QChar(
                static_cast<char16_t>((length + i) % 2 ? latin1(random) : (i * 7 + length) % 256));
        const QString scrambled = Crypt::Scramble(password);
        ASSERT_EQ(scrambled.size(), 2 * length);
        ASSERT_TRUE(isUpperHex(scrambled)) << scrambled.toStdString();
        for (int i = 0; i + 1 < scrambled.size(); i += 2)
            sawZeroByte = sawZeroByte || scrambled.mid(i, 2) == u"00";
        ASSERT_EQ(Crypt::Unscramble(scrambled), password) << "length " << length;
    }
    EXPECT_TRUE(sawZeroByte) << "the table should cover a scrambled byte 00";

    QString all;
    for (int c = 0; c <= 0xFF; ++c)
        all += QChar(static_cast<char16_t>(c));
    EXPECT_EQ(Crypt::Unscramble(Crypt::Scramble(all.left(255))), all.left(255));
    EXPECT_EQ(Crypt::Unscramble(Crypt::Scramble(all.right(255))), all.right(255));
}

TEST(Crypt, UnscrambleReadsStoredFormsLeniently) {
    const QString upper = Crypt::Scramble(QStringLiteral("ABC"));
    struct Case {
        const char* name;
        QString stored;
        std::optional<QString> expected;
    } cases[] = {
        {"lower-case hex", upper.toLower(), QStringLiteral("ABC")},
        {"last odd digit ignored", upper + u'7', QStringLiteral("ABC")},
        {"lone digit", QStringLiteral("F"), QString()},
        {"G is no hex digit", QStringLiteral("G1"), std::nullopt},
        {"bad pair after good ones", upper + QStringLiteral("1Z"), std::nullopt},
        {"blank inside a pair", QStringLiteral("5 "), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Crypt::Unscramble(c.stored), c.expected) << c.name;
}

TEST(Crypt, NormalisingFoldsOnlyAsciiLettersAndTrimsControls) {
    struct Case {
        QString typed;
        QString normalised;
    } cases[] = {
        {QStringLiteral("  lucernaViolina\t"), QStringLiteral("LUCERNAVIOLINA")},
        {QStringLiteral("caffè"), QStringLiteral("CAFFè")},
        {QStringLiteral("È"), QStringLiteral("È")},
        {QStringLiteral("\x01 a b \x1f"), QStringLiteral("A B")},
        {QStringLiteral("\u00a0x"), QStringLiteral("\u00a0X")}, // no-break space is a character
    };
    for (const Case& c : cases)
        EXPECT_EQ(Crypt::Normalise(c.typed), c.normalised);
    EXPECT_NE(Crypt::Scramble(Crypt::Normalise(QStringLiteral("è"))),
              Crypt::Scramble(Crypt::Normalise(QStringLiteral("È"))));
}

TEST(Crypt, ShippedStoreHoldsTheFirstAccessPassword) {
    QFile f(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("[Accesso]\r\nValore=5EA725367CF897B6EDDFC9FA7726\r\n"));
}
