#include "lists/FindInList.h"

#include "lists/ByteMatch.h"

namespace scontrix::lists {

QString foldAsciiLower(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + (u'a' - u'A'));
    }
    return result;
}

std::optional<qsizetype> findInList(const ListRows& rows, std::optional<qsizetype> selected,
                                    const QString& findText, const QString& lastFindText) {
    const qsizetype n = rows.size();
    if (n == 0)
        return std::nullopt;
    const ByteMatch match(findText);
    if (match.matchesNothing())
        return std::nullopt;
    const bool findNext = findText == lastFindText;
    const qsizetype start = findNext && selected && *selected < n ? *selected : 0;
    // A new find tests the start entry first; a find next tests it last.
    for (qsizetype step = findNext ? 1 : 0; step <= n; ++step) {
        const qsizetype i = (start + step) % n;
        if (match.foundIn(rows.rowBytes(i)))
            return i;
    }
    return std::nullopt;
}

} // namespace scontrix::lists
