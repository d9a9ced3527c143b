// The report's expression scanner, on any text a text box may hold and any
// delimiter setting: the first line of the input is the setting.
#include "FuzzCheck.h"
#include "report/Expressions.h"

#include <cstdint>

using namespace scontrix::report;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString input =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qsizetype newline = input.indexOf(u'\n');
    const QString setting = newline < 0 ? QStringLiteral("[,]") : input.left(newline);
    const QString text = newline < 0 ? input : input.mid(newline + 1);
    static const ExpressionContext context{QDateTime(QDate(2024, 3, 15), QTime(9, 30)),
                                           QLocale(QLocale::Italian, QLocale::Italy)};

    try {
        evaluateExpression(text, context);
    } catch (const ExpressionError&) {
    }

    const Delimiters delimiters = parseDelimiters(setting);
    try {
        const QString result = substituteExpressions(text, delimiters, context);
        // A text without an opening delimiter, or without a usable setting,
        // is left as it is.
        if (!delimiters.usable() || !text.contains(delimiters.open))
            FUZZ_CHECK(result == text);
    } catch (const ExpressionError&) {
    }
    return 0;
}
