#include "lists/ListRows.h"

#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <numeric>

namespace scontrix::lists {

namespace {

constexpr char16_t foldUpper(char16_t c) {
    return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - (u'a' - u'A')) : c;
}

// The sorting rank of each Windows-1252 byte: the order of the UTF-16 code
// unit it decodes to, a-z folded. The byte order alone would put the euro
// sign (80) before a-with-grave (E0) but after "~", while its code unit (20AC)
// sorts after every accented letter. Ranks start at 1, so that 0 can stand
// for "no more characters" in a key; the folded code units are fewer than 255.
using Ranks = std::array<quint8, 256>;

const Ranks& byteRanks() {
    static const Ranks ranks = [] {
        std::array<char16_t, 256> weight{};
        for (int b = 0; b < 256; ++b)
            weight[static_cast<std::size_t>(b)] =
                foldUpper(storage::cp1252::decodeByte(static_cast<uchar>(b)).unicode());
        std::array<char16_t, 256> sorted = weight;
        std::sort(sorted.begin(), sorted.end());
        const auto distinctEnd = std::unique(sorted.begin(), sorted.end());
        Ranks r{};
        for (std::size_t b = 0; b < 256; ++b)
            r[b] = static_cast<quint8>(
                1 + (std::lower_bound(sorted.begin(), distinctEnd, weight[b]) - sorted.begin()));
        return r;
    }();
    return ranks;
}

// The ranks of the first eight bytes packed into one number, so that most
// comparisons of a sort settle on one integer comparison. A row shorter than
// eight bytes is padded with 0, which sorts before any character, as a prefix
// must.
quint64 leadingKey(QByteArrayView row, const Ranks& ranks) {
    quint64 key = 0;
    for (qsizetype i = 0; i < 8; ++i) {
        key <<= 8;
        if (i < row.size())
            key |= ranks[static_cast<uchar>(row[i])];
    }
    return key;
}

constexpr qsizetype KeyLength = 8;

} // namespace

bool listTextLess(QStringView a, QStringView b) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t x = foldUpper(a[i].unicode());
        const char16_t y = foldUpper(b[i].unicode());
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

void ListRows::clear() {
    bytes_.clear();
    ends_.clear();
    order_.clear();
}

void ListRows::commitRow() {
    ends_.push_back(bytes_.size());
    if (!order_.empty())
        order_.push_back(static_cast<qint64>(ends_.size()) - 1);
}

void ListRows::append(QByteArrayView rowBytes) {
    bytes_.append(rowBytes);
    commitRow();
}

void ListRows::append(const QString& rowText) {
    bytes_.append(storage::cp1252::encode(rowText));
    commitRow();
}

QByteArrayView ListRows::rowBytes(qsizetype i) const {
    const auto row =
        static_cast<std::size_t>(order_.empty() ? i : order_[static_cast<std::size_t>(i)]);
    const qint64 begin = row == 0 ? 0 : ends_[row - 1];
    return QByteArrayView(bytes_.constData() + begin, ends_[row] - begin);
}

QString ListRows::text(qsizetype i) const {
    const QByteArrayView row = rowBytes(i);
    return storage::cp1252::decode(row.data(), row.size());
}

void ListRows::sort() {
    order_.clear();
    const Ranks& ranks = byteRanks();
    struct Entry {
        quint64 key; // the ranks of eight bytes from the offset being sorted on
        qint64 row;
    };
    auto bytesOf = [this](qint64 row) {
        const auto r = static_cast<std::size_t>(row);
        const qint64 begin = r == 0 ? 0 : ends_[r - 1];
        return QByteArrayView(bytes_.constData() + begin, ends_[r] - begin);
    };
    std::vector<Entry> entries(ends_.size());
    for (std::size_t i = 0; i < ends_.size(); ++i)
        entries[i] = {leadingKey(bytesOf(static_cast<qint64>(i)), ranks), static_cast<qint64>(i)};

    // Eight characters at a time: sort a range by its keys, then every run of
    // equal keys by the next eight characters, and so on. Rows that share a
    // long start (the same customer, padded to 26 columns) are thus compared
    // as integers, not character by character all over memory. Rows that
    // compare equal keep the order in which they were added.
    struct Range {
        std::size_t begin, end;
        qsizetype offset;
    };
    std::vector<Range> pending{{0, entries.size(), 0}};
    while (!pending.empty()) {
        const Range range = pending.back();
        pending.pop_back();
        const auto first = entries.begin() + static_cast<std::ptrdiff_t>(range.begin);
        const auto last = entries.begin() + static_cast<std::ptrdiff_t>(range.end);
        std::sort(first, last, [](const Entry& x, const Entry& y) {
            return x.key != y.key ? x.key < y.key : x.row < y.row;
        });
        for (std::size_t i = range.begin; i < range.end;) {
            std::size_t j = i + 1;
            while (j < range.end && entries[j].key == entries[i].key)
                ++j;
            // A key that ends in padding means both rows ended within it:
            // they are equal, and already in the order they were added.
            if (j - i > 1 && (entries[i].key & 0xFF) != 0) {
                const qsizetype next = range.offset + KeyLength;
                for (std::size_t k = i; k < j; ++k)
                    entries[k].key = leadingKey(bytesOf(entries[k].row).sliced(next), ranks);
                pending.push_back({i, j, next});
            }
            i = j;
        }
    }
    order_.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order_[i] = entries[i].row;
}

qsizetype ListRows::heapBytes() const {
    return bytes_.capacity() +
           static_cast<qsizetype>((ends_.capacity() + order_.capacity()) * sizeof(qint64));
}

} // namespace scontrix::lists
