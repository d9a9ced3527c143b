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

// The ranks of eight bytes from `from` packed into one number, so that most
// comparisons of a sort settle on integer comparisons. A row that ends before
// is padded with 0, which sorts before any character, as a prefix must.
quint64 packedRanks(QByteArrayView row, qsizetype from, const Ranks& ranks) {
    quint64 key = 0;
    for (qsizetype i = from; i < from + 8; ++i) {
        key <<= 8;
        if (i < row.size())
            key |= ranks[static_cast<uchar>(row[i])];
    }
    return key;
}

// How many leading bytes a row's sort key holds: the customer (26 columns),
// "  Cel. " and the mobile (14), by which nearly every two rows differ.
constexpr qsizetype KeyWords = 6;
constexpr qsizetype KeyLength = 8 * KeyWords;

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
    auto bytesOf = [this](qint64 row) {
        const auto r = static_cast<std::size_t>(row);
        const qint64 begin = r == 0 ? 0 : ends_[r - 1];
        return QByteArrayView(bytes_.constData() + begin, ends_[r] - begin);
    };
    // Each row's first 48 characters as ranks, made in one pass over the rows
    // in memory order and kept beside the row number, so that a sort compares
    // integers held together instead of reaching for every row's bytes all
    // over memory; rows are compared on their bytes only past that.
    struct Entry {
        std::array<quint64, KeyWords> key;
        qint64 row;
    };
    std::vector<Entry> entries(ends_.size());
    for (std::size_t i = 0; i < ends_.size(); ++i) {
        const QByteArrayView row = bytesOf(static_cast<qint64>(i));
        Entry& e = entries[i];
        for (qsizetype w = 0; w < KeyWords; ++w)
            e.key[static_cast<std::size_t>(w)] = packedRanks(row, 8 * w, ranks);
        e.row = static_cast<qint64>(i);
    }
    // Rows that compare equal keep the order in which they were added.
    std::sort(entries.begin(), entries.end(), [&](const Entry& x, const Entry& y) {
        for (std::size_t w = 0; w < std::size_t(KeyWords); ++w) {
            if (x.key[w] != y.key[w])
                return x.key[w] < y.key[w];
        }
        // Equal so far: a row that ended within the key ended at the same
        // place as the other, so they are equal; otherwise go on past it.
        if ((x.key.back() & 0xFF) != 0) {
            const QByteArrayView a = bytesOf(x.row);
            const QByteArrayView b = bytesOf(y.row);
            const qsizetype n = std::min(a.size(), b.size());
            for (qsizetype i = KeyLength; i < n; ++i) {
                const quint8 ra = ranks[static_cast<uchar>(a[i])];
                const quint8 rb = ranks[static_cast<uchar>(b[i])];
                if (ra != rb)
                    return ra < rb;
            }
            if (a.size() != b.size())
                return a.size() < b.size();
        }
        return x.row < y.row;
    });
    order_.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order_[i] = entries[i].row;
}

qsizetype ListRows::heapBytes() const {
    return bytes_.capacity() +
           static_cast<qsizetype>((ends_.capacity() + order_.capacity()) * sizeof(qint64));
}

} // namespace scontrix::lists
