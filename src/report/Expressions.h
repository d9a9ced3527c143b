#pragma once

#include <QDateTime>
#include <QLocale>
#include <QString>

namespace scontrix::report {

// What an expression can refer to: the moment the preparation started, and
// the regional settings that turn dates and times into text.
struct ExpressionContext {
    QDateTime start;
    QLocale locale;
};

// An expression that cannot be evaluated; `message` says why.
struct ExpressionError {
    QString message;
};

// Evaluates one expression and writes its value as text. Known names (letter
// case does not matter): DATE, the start date in the regional short date format,
// and TIME, the start time in the regional short time format. Besides them:
// texts in single or double quotes (a doubled quote stands for itself), numbers,
// "+" (joins texts, adds numbers), "-" between numbers, and grouping with
// round or square brackets. Throws ExpressionError.
QString evaluateExpression(const QString& expression, const ExpressionContext& context);

// The opening and closing delimiter of a text box's "[,]" setting; either is
// empty when the setting is unusable, and then nothing is substituted.
struct Delimiters {
    QString open;
    QString close;
    bool usable() const { return !open.isEmpty() && !close.isEmpty(); }
};
Delimiters parseDelimiters(const QString& setting);

// Replaces every delimited expression of `text` by its value. Nested pairs
// count, delimiters inside quotes do not, and an inserted value is never
// scanned again. An opening delimiter without a closing one leaves the text
// from it to the end as it is. Throws ExpressionError.
QString substituteExpressions(const QString& text, const Delimiters& delimiters,
                              const ExpressionContext& context);

} // namespace scontrix::report
