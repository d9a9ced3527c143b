#include "lists/ByteMatch.h"

#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

namespace {

// Each byte with A-Z turned into a-z: one look-up instead of two comparisons
// and a branch per byte.
const std::array<uchar, 256> FoldTable = [] {
    std::array<uchar, 256> table{};
    for (int b = 0; b < 256; ++b)
        table[static_cast<std::size_t>(b)] = ByteMatch::fold(static_cast<uchar>(b));
    return table;
}();

} // namespace

bool ByteMatch::foundIn(const char* bytes, qsizetype size, qsizetype readable) const {
    if (!needle_)
        return false;
    const qsizetype n = needle_->size();
    if (n > size)
        return false;
    const auto* text = reinterpret_cast<const uchar*>(bytes);
    const auto* needle = reinterpret_cast<const uchar*>(needle_->constData());
    const uchar first = needle[0];
    const qsizetype last = size - n;
    const auto matchesAt = [&](qsizetype i) {
        qsizetype k = 1;
        while (k < n && FoldTable[text[i + k]] == needle[k])
            ++k;
        return k == n;
    };
    qsizetype i = 0;
#if defined(__SSE2__)
    // Sixteen places at a time where the first byte may stand, in either case,
    // without reading past the bytes that may be read; a place past the last
    // one where the needle fits ends the search.
    const auto lower = _mm_set1_epi8(static_cast<char>(first));
    const auto upper =
        _mm_set1_epi8(static_cast<char>(first >= 'a' && first <= 'z' ? first - 32 : first));
    for (; i + 16 <= readable && i <= last; i += 16) {
        const __m128i chunk = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_or_si128(_mm_cmpeq_epi8(chunk, lower), _mm_cmpeq_epi8(chunk, upper))));
        while (candidates) {
            const qsizetype at = i + std::countr_zero(candidates);
            if (at > last)
                return false;
            if (matchesAt(at))
                return true;
            candidates &= candidates - 1;
        }
    }
#endif
    for (; i <= last; ++i) {
        if (FoldTable[text[i]] == first && matchesAt(i))
            return true;
    }
    return false;
}

} // namespace scontrix::lists
