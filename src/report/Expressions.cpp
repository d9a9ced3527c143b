#include "report/Expressions.h"

#include <QRegularExpression>
#include <variant>

namespace scontrix::report {

namespace {

// The regional short date with the year in full, as desktops write it (an
// Italian system prints 07/04/2024); Qt's own short formats cut the year to
// two digits, which is ambiguous on a printed list kept for years. The C
// locale has no regional form (Qt gives it "7 Apr 2024", in English): there
// the date is written day first, as the program writes every other date.
QString regionalShortDate(const QLocale& locale, QDate date) {
    if (locale.language() == QLocale::C)
        return date.toString(QStringLiteral("dd/MM/yyyy"));
    QString format = locale.dateFormat(QLocale::ShortFormat);
    static const QRegularExpression twoDigitYear(QStringLiteral("(?<!y)yy(?!y)"));
    format.replace(twoDigitYear, QStringLiteral("yyyy"));
    return locale.toString(date, format);
}

using Value = std::variant<QString, double, QDate, QTime>;

bool isAsciiLetter(QChar c) {
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

class Parser {
public:
    Parser(const QString& text, const ExpressionContext& context) : s_(text), context_(context) {}

    Value parseWhole() {
        skipBlanks();
        if (atEnd())
            throw ExpressionError{QStringLiteral("Empty expression")};
        Value v = parseSum();
        skipBlanks();
        if (!atEnd())
            unexpected();
        return v;
    }

    QString text(const Value& v) const {
        if (const auto* t = std::get_if<QString>(&v))
            return *t;
        if (const auto* n = std::get_if<double>(&v))
            return QString::number(*n, 'g', 15);
        if (const auto* d = std::get_if<QDate>(&v))
            return regionalShortDate(context_.locale, *d);
        return context_.locale.toString(std::get<QTime>(v), QLocale::ShortFormat);
    }

private:
    bool atEnd() const { return pos_ >= s_.size(); }
    QChar peek() const { return atEnd() ? QChar() : s_[pos_]; }
    void skipBlanks() {
        while (!atEnd() && s_[pos_].isSpace())
            ++pos_;
    }
    [[noreturn]] void unexpected() const {
        if (atEnd())
            throw ExpressionError{QStringLiteral("Expression \"%1\" is incomplete").arg(s_)};
        throw ExpressionError{
            QStringLiteral("Unexpected \"%1\" in expression \"%2\"").arg(s_[pos_]).arg(s_)};
    }

    Value parseSum() {
        Value left = parseOperand();
        for (;;) {
            skipBlanks();
            const QChar op = peek();
            if (op != u'+' && op != u'-')
                return left;
            ++pos_;
            const Value right = parseOperand();
            const auto* a = std::get_if<double>(&left);
            const auto* b = std::get_if<double>(&right);
            if (a && b)
                left = op == u'+' ? *a + *b : *a - *b;
            else if (op == u'+')
                left = text(left) + text(right);
            else
                throw ExpressionError{
                    QStringLiteral("Only numbers can be subtracted in expression \"%1\"").arg(s_)};
        }
    }

    Value parseOperand() {
        skipBlanks();
        if (atEnd())
            unexpected();
        const QChar c = s_[pos_];
        if (c == u'(' || c == u'[') {
            ++pos_;
            Value v = parseSum();
            skipBlanks();
            if (peek() != (c == u'(' ? u')' : u']'))
                unexpected();
            ++pos_;
            return v;
        }
        if (c == u'\'' || c == u'"')
            return parseQuoted(c);
        if (isDigit(c))
            return parseNumber();
        if (isAsciiLetter(c) || c == u'_')
            return parseName();
        unexpected();
    }

    Value parseQuoted(QChar quote) {
        QString value;
        ++pos_;
        for (;;) {
            if (atEnd())
                throw ExpressionError{
                    QStringLiteral("Missing closing quote in expression \"%1\"").arg(s_)};
            const QChar c = s_[pos_++];
            if (c != quote) {
                value += c;
            } else if (peek() == quote) {
                value += c;
                ++pos_;
            } else {
                return value;
            }
        }
    }

    Value parseNumber() {
        const qsizetype start = pos_;
        while (!atEnd() && isDigit(s_[pos_]))
            ++pos_;
        if (peek() == u'.') {
            ++pos_;
            while (!atEnd() && isDigit(s_[pos_]))
                ++pos_;
        }
        return s_.mid(start, pos_ - start).toDouble();
    }

    Value parseName() {
        const qsizetype start = pos_;
        while (!atEnd() && (isAsciiLetter(s_[pos_]) || isDigit(s_[pos_]) || s_[pos_] == u'_'))
            ++pos_;
        const QString name = s_.mid(start, pos_ - start);
        if (name.compare(QLatin1String("DATE"), Qt::CaseInsensitive) == 0)
            return context_.start.date();
        if (name.compare(QLatin1String("TIME"), Qt::CaseInsensitive) == 0)
            return context_.start.time();
        throw ExpressionError{QStringLiteral("Unknown name \"%1\"").arg(name)};
    }

    const QString& s_;
    const ExpressionContext& context_;
    qsizetype pos_ = 0;
};

// The position of the closing delimiter that matches an opening one ending just
// before `from`, or -1.
qsizetype matchingClose(const QString& text, qsizetype from, const Delimiters& d) {
    int depth = 1;
    QChar quote;
    qsizetype i = from;
    while (i < text.size()) {
        const QChar c = text[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            ++i;
        } else if (c == u'\'' || c == u'"') {
            quote = c;
            ++i;
        } else if (QStringView(text).mid(i).startsWith(d.close)) {
            if (--depth == 0)
                return i;
            i += d.close.size();
        } else if (QStringView(text).mid(i).startsWith(d.open)) {
            ++depth;
            i += d.open.size();
        } else {
            ++i;
        }
    }
    return -1;
}

} // namespace

QString evaluateExpression(const QString& expression, const ExpressionContext& context) {
    Parser parser(expression, context);
    return parser.text(parser.parseWhole());
}

Delimiters parseDelimiters(const QString& setting) {
    const qsizetype comma = setting.indexOf(u',');
    if (comma < 0)
        return {};
    return {setting.left(comma), setting.mid(comma + 1)};
}

QString substituteExpressions(const QString& text, const Delimiters& delimiters,
                              const ExpressionContext& context) {
    if (!delimiters.usable())
        return text;
    QString result;
    qsizetype i = 0;
    for (;;) {
        const qsizetype open = text.indexOf(delimiters.open, i);
        if (open < 0)
            break;
        const qsizetype inner = open + delimiters.open.size();
        const qsizetype close = matchingClose(text, inner, delimiters);
        if (close < 0)
            break;
        result += QStringView(text).mid(i, open - i);
        result += evaluateExpression(text.mid(inner, close - inner), context);
        i = close + delimiters.close.size();
    }
    if (i == 0)
        return text;
    result += QStringView(text).mid(i);
    return result;
}

} // namespace scontrix::report
