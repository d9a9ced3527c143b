#include "lists/ByteMatch.h"

#include "storage/Windows1252.h"

#include <algorithm>

namespace scontrix::lists {

ByteMatch::ByteMatch(const QString& text) {
    if (text.isEmpty())
        return;
    QByteArray needle;
    needle.reserve(text.size());
    for (QChar c : text) {
        const std::optional<uchar> b = storage::cp1252::encodeChar(c.unicode());
        if (!b)
            return;
        needle.append(static_cast<char>(fold(*b)));
    }
    needle_ = std::move(needle);
}

bool ByteMatch::foundIn(const char* bytes, qsizetype size) const {
    if (!needle_)
        return false;
    const qsizetype n = needle_->size();
    if (n > size)
        return false;
    const auto first = static_cast<uchar>(needle_->front());
    const char* needle = needle_->constData();
    const qsizetype last = size - n;
    for (qsizetype i = 0; i <= last; ++i) {
        if (fold(static_cast<uchar>(bytes[i])) != first)
            continue;
        qsizetype k = 1;
        while (k < n && fold(static_cast<uchar>(bytes[i + k])) == static_cast<uchar>(needle[k]))
            ++k;
        if (k == n)
            return true;
    }
    return false;
}

} // namespace scontrix::lists
