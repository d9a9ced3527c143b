#include "report/Expressions.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

using namespace scontrix::report;

namespace {

const ExpressionContext Italy{QDateTime(QDate(2024, 4, 7), QTime(9, 5)),
                              QLocale(QLocale::Italian, QLocale::Italy)};
const Delimiters Brackets{QStringLiteral("["), QStringLiteral("]")};

QString substitute(const QString& text, const Delimiters& d = Brackets) {
    return substituteExpressions(text, d, Italy);
}

} // namespace

TEST(Expressions, Substitution) {
    const struct {
        const char* text;
        const char* result;
    } cases[] = {
        {"Stampa eseguita in data [DATE]", "Stampa eseguita in data 07/04/2024"},
        {"[date] [Date] [ DaTe ]", "07/04/2024 07/04/2024 07/04/2024"},
        {"no expression at all", "no expression at all"},
        {"a ] b", "a ] b"},
        {"[[DATE]]", "07/04/2024"}, // nested pairs are counted
        {"[([DATE])] and [2]", "07/04/2024 and 2"},
        {"['a]b'] [\"[x]\"]", "a]b [x]"}, // brackets inside quotes do not count
        {"['it''s']", "it's"},
        {"['[' + DATE + ']']", "[07/04/2024]"}, // an inserted value is never scanned again
        {"[1+2] [10 - 4] ['n. ' + 5]", "3 6 n. 5"},
        {"[TIME]", "09:05"},
        {"Mario D'Amico [DATE]", "Mario D'Amico 07/04/2024"}, // quotes outside a pair are text
        {"Prezzo [DATE", "Prezzo [DATE"}, // an opening bracket alone stays as it is
        {"x [DATE] y [abc", "x 07/04/2024 y [abc"},
        {"[L'Aquila] [DATE]", "[L'Aquila] [DATE]"}, // an open quote finds no closing bracket
    };
    for (const auto& c : cases)
        EXPECT_EQ(substitute(QString::fromUtf8(c.text)), QString::fromUtf8(c.result)) << c.text;
}

TEST(Expressions, Delimiters) {
    EXPECT_EQ(parseDelimiters(QStringLiteral("[,]")).open, QStringLiteral("["));
    EXPECT_EQ(parseDelimiters(QStringLiteral("[,]")).close, QStringLiteral("]"));
    const Delimiters custom = parseDelimiters(QStringLiteral("<%,%>"));
    EXPECT_EQ(substitute(QStringLiteral("<%DATE%> [DATE]"), custom),
              QStringLiteral("07/04/2024 [DATE]"));
    for (const char* unusable : {"", "[", ",]", "[,"}) {
        EXPECT_FALSE(parseDelimiters(QString::fromLatin1(unusable)).usable()) << unusable;
        EXPECT_EQ(
            substitute(QStringLiteral("[DATE]"), parseDelimiters(QString::fromLatin1(unusable))),
            QStringLiteral("[DATE]"))
            << unusable;
    }
}

TEST(Expressions, FailuresSayWhy) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"Per: [Rossi]", "Unknown name \"Rossi\""},
        {"[]", "Empty expression"},
        {"[1 +]", "Expression \"1 +\" is incomplete"},
        {"[DATE DATE]", "Unexpected \"D\" in expression \"DATE DATE\""},
        {"[DATE - 1]", "Only numbers can be subtracted in expression \"DATE - 1\""},
        {"[(1]", "Expression \"(1\" is incomplete"},
    };
    for (const auto& c : cases) {
        try {
            substitute(QString::fromUtf8(c.text));
            ADD_FAILURE() << c.text << " was evaluated";
        } catch (const ExpressionError& e) {
            EXPECT_EQ(e.message, QString::fromUtf8(c.message)) << c.text;
        }
    }
}
