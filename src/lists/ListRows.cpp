#include "lists/ListRows.h"

#include "lists/SideBySide.h"
#include "storage/Windows1252.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <memory>
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
    earlier_.clear();
    bytes_.clear();
    base_ = 0;
    ends_.clear();
    order_.clear();
}

void ListRows::commitRow() {
    ends_.push_back(base_ + bytes_.size());
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

void ListRows::append(ListRows&& other) {
    const qint64 shift = base_ + bytes_.size();
    if (!bytes_.isEmpty())
        earlier_.push_back({std::move(bytes_), base_});
    for (Block& block : other.earlier_)
        earlier_.push_back({std::move(block.bytes), shift + block.base});
    bytes_ = std::move(other.bytes_);
    base_ = shift + other.base_;
    ends_.reserve(ends_.size() + other.ends_.size());
    for (const qint64 end : other.ends_) {
        ends_.push_back(shift + end);
        if (!order_.empty())
            order_.push_back(static_cast<qint64>(ends_.size()) - 1);
    }
    other.clear();
}

const char* ListRows::at(qint64 begin) const {
    if (begin >= base_)
        return bytes_.constData() + (begin - base_);
    // The last earlier block that starts at or before `begin`.
    for (auto block = earlier_.rbegin(); block != earlier_.rend(); ++block) {
        if (begin >= block->base)
            return block->bytes.constData() + (begin - block->base);
    }
    return bytes_.constData();
}

QByteArrayView ListRows::rowBytes(qsizetype i) const {
    const auto row =
        static_cast<std::size_t>(order_.empty() ? i : order_[static_cast<std::size_t>(i)]);
    const qint64 begin = row == 0 ? 0 : ends_[row - 1];
    return QByteArrayView(at(begin), ends_[row] - begin);
}

QString ListRows::text(qsizetype i) const {
    const QByteArrayView row = rowBytes(i);
    return storage::cp1252::decode(row.data(), row.size());
}

namespace {

// A row's sort key: its first 48 characters as ranks, packed eight to an
// integer, beside its number.
struct Entry {
    std::array<quint64, KeyWords> key;
    qint64 row;
};

// Rows whose first two characters rank alike share a bucket; a list is first
// spread over the buckets by those two ranks in one pass, and then each bucket
// is sorted on its own, small enough to stay in the processor's cache.
constexpr std::size_t BucketBits = 16;
constexpr std::size_t Buckets = std::size_t(1) << BucketBits;

std::size_t bucketOf(const Entry& e) {
    return static_cast<std::size_t>(e.key[0] >> (64 - BucketBits));
}

} // namespace

void ListRows::sort() {
    order_.clear();
    const std::size_t n = ends_.size();
    if (n == 0)
        return;
    const Ranks& ranks = byteRanks();
    auto bytesOf = [this](qint64 row) {
        const auto r = static_cast<std::size_t>(row);
        const qint64 begin = r == 0 ? 0 : ends_[r - 1];
        return QByteArrayView(at(begin), ends_[r] - begin);
    };
    auto makeEntry = [&](std::size_t i) {
        const QByteArrayView row = bytesOf(static_cast<qint64>(i));
        Entry e;
        for (qsizetype w = 0; w < KeyWords; ++w)
            e.key[static_cast<std::size_t>(w)] = packedRanks(row, 8 * w, ranks);
        e.row = static_cast<qint64>(i);
        return e;
    };
    // The list order on the keys; on a tie the bytes past them, then the order
    // in which the rows were added. It is a total order, so every way of
    // sorting by it gives the same list.
    auto lessPastFirstWord = [&](const Entry& x, const Entry& y) {
        for (std::size_t w = 1; w < std::size_t(KeyWords); ++w) {
            if (x.key[w] != y.key[w])
                return x.key[w] < y.key[w];
        }
        // Equal so far: a row that ended within the key ended at the same
        // place as the other, so they are equal; otherwise go on past it.
        if ((x.key.back() & 0xFF) != 0) {
            const QByteArrayView a = bytesOf(x.row);
            const QByteArrayView b = bytesOf(y.row);
            const qsizetype m = std::min(a.size(), b.size());
            for (qsizetype i = KeyLength; i < m; ++i) {
                const quint8 ra = ranks[static_cast<uchar>(a[i])];
                const quint8 rb = ranks[static_cast<uchar>(b[i])];
                if (ra != rb)
                    return ra < rb;
            }
            if (a.size() != b.size())
                return a.size() < b.size();
        }
        return x.row < y.row;
    };
    // Most comparisons settle on the first eight characters.
    auto less = [&](const Entry& x, const Entry& y) {
        if (x.key[0] != y.key[0]) [[likely]]
            return x.key[0] < y.key[0];
        return lessPastFirstWord(x, y);
    };

    // Each row's key is made once, in memory order, and written straight into
    // its bucket's place; the two halves of a big list side by side.
    // A short list is sorted in one piece: spreading it over the buckets
    // would cost more (their counts alone are half a megabyte) than it saves.
    if (static_cast<qsizetype>(n) < splitting().bucketRows) {
        std::vector<Entry> entries(n);
        for (std::size_t i = 0; i < n; ++i)
            entries[i] = makeEntry(i);
        std::sort(entries.begin(), entries.end(), less);
        order_.resize(n);
        for (std::size_t i = 0; i < n; ++i)
            order_[i] = entries[i].row;
        return;
    }
    const bool split = static_cast<qsizetype>(n) >= splitting().sortRows;
    const std::size_t parts = split ? 2 : 1;
    const std::array<std::size_t, 3> from{0, split ? n / 2 : n, n};
    std::vector<std::vector<std::size_t>> counts(parts, std::vector<std::size_t>(Buckets, 0));
    auto sideBySide = [&](auto&& work) {
        if (split)
            runSideBySide([&] { work(0); }, [&] { work(1); });
        else
            work(0);
    };
    auto leadingRanks = [&](std::size_t i) {
        const QByteArrayView row = bytesOf(static_cast<qint64>(i));
        const std::size_t r0 = row.size() > 0 ? ranks[static_cast<uchar>(row[0])] : 0;
        const std::size_t r1 = row.size() > 1 ? ranks[static_cast<uchar>(row[1])] : 0;
        return r0 << 8 | r1;
    };
    sideBySide([&](std::size_t part) {
        std::vector<std::size_t>& count = counts[part];
        for (std::size_t i = from[part]; i < from[part + 1]; ++i)
            ++count[leadingRanks(i)];
    });
    // Where each bucket starts, and where each half writes into it: the
    // first half's rows before the second's.
    std::vector<std::size_t> bucketStart(Buckets + 1, 0);
    std::vector<std::vector<std::size_t>> next(parts, std::vector<std::size_t>(Buckets, 0));
    for (std::size_t b = 0, at = 0; b < Buckets; ++b) {
        bucketStart[b] = at;
        for (std::size_t part = 0; part < parts; ++part) {
            next[part][b] = at;
            at += counts[part][b];
        }
        bucketStart[b + 1] = at;
    }
    const std::unique_ptr<Entry[]> entries(new Entry[n]);
    sideBySide([&](std::size_t part) {
        std::vector<std::size_t>& place = next[part];
        for (std::size_t i = from[part]; i < from[part + 1]; ++i) {
            const Entry e = makeEntry(i);
            entries[place[bucketOf(e)]++] = e;
        }
    });
    // Each bucket sorted on its own; in two shares of about half the rows.
    std::size_t middle = 0;
    while (middle < Buckets && bucketStart[middle] < n / 2)
        ++middle;
    if (!split)
        middle = Buckets;
    const std::array<std::size_t, 3> bucketFrom{0, middle, Buckets};
    sideBySide([&](std::size_t part) {
        for (std::size_t b = bucketFrom[part]; b < bucketFrom[part + 1]; ++b) {
            if (bucketStart[b + 1] - bucketStart[b] > 1)
                std::sort(entries.get() + bucketStart[b], entries.get() + bucketStart[b + 1], less);
        }
    });
    order_.resize(n);
    for (std::size_t i = 0; i < n; ++i)
        order_[i] = entries[i].row;
}

qsizetype ListRows::heapBytes() const {
    qsizetype blocks = bytes_.capacity();
    for (const Block& block : earlier_)
        blocks += block.bytes.capacity();
    return blocks + static_cast<qsizetype>((ends_.capacity() + order_.capacity()) * sizeof(qint64));
}

} // namespace scontrix::lists
