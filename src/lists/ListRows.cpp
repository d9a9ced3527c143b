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

// The sorting weight of each Windows-1252 byte: the UTF-16 code unit it
// decodes to, a-z folded. The byte order alone would put the euro sign (80)
// before a-with-grave (E0) but after "~", while its code unit (20AC) sorts
// after every accented letter.
const std::array<char16_t, 256>& byteWeights() {
    static const std::array<char16_t, 256> weights = [] {
        std::array<char16_t, 256> w{};
        for (int b = 0; b < 256; ++b)
            w[static_cast<std::size_t>(b)] =
                foldUpper(storage::cp1252::decodeByte(static_cast<uchar>(b)).unicode());
        return w;
    }();
    return weights;
}

// The weights of the first four bytes packed into one number, so that most
// comparisons of a sort settle on one integer comparison. A row shorter than
// four bytes is padded with weight 0, which sorts before any character, as a
// prefix must.
quint64 leadingKey(QByteArrayView row, const std::array<char16_t, 256>& w) {
    quint64 key = 0;
    for (qsizetype i = 0; i < 4; ++i) {
        key <<= 16;
        if (i < row.size())
            key |= static_cast<quint64>(w[static_cast<uchar>(row[i])]) + 1;
    }
    return key;
}

int compareFrom(QByteArrayView a, QByteArrayView b, qsizetype from,
                const std::array<char16_t, 256>& w) {
    const qsizetype n = std::min(a.size(), b.size());
    for (qsizetype i = from; i < n; ++i) {
        const char16_t x = w[static_cast<uchar>(a[i])];
        const char16_t y = w[static_cast<uchar>(b[i])];
        if (x != y)
            return x < y ? -1 : 1;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

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
    const auto row = static_cast<std::size_t>(order_.empty() ? i : order_[static_cast<std::size_t>(i)]);
    const qint64 begin = row == 0 ? 0 : ends_[row - 1];
    return QByteArrayView(bytes_.constData() + begin, ends_[row] - begin);
}

QString ListRows::text(qsizetype i) const {
    const QByteArrayView row = rowBytes(i);
    return storage::cp1252::decode(row.data(), row.size());
}

void ListRows::sort() {
    order_.clear();
    const auto& w = byteWeights();
    struct Entry {
        quint64 key;
        qint64 row;
    };
    std::vector<Entry> entries(ends_.size());
    for (std::size_t i = 0; i < ends_.size(); ++i) {
        const qint64 begin = i == 0 ? 0 : ends_[i - 1];
        const QByteArrayView row(bytes_.constData() + begin, ends_[i] - begin);
        entries[i] = {leadingKey(row, w), static_cast<qint64>(i)};
    }
    auto bytesOf = [this](qint64 row) {
        const auto r = static_cast<std::size_t>(row);
        const qint64 begin = r == 0 ? 0 : ends_[r - 1];
        return QByteArrayView(bytes_.constData() + begin, ends_[r] - begin);
    };
    std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
        if (a.key != b.key)
            return a.key < b.key;
        const int c = compareFrom(bytesOf(a.row), bytesOf(b.row), 4, w);
        return c != 0 ? c < 0 : a.row < b.row;
    });
    order_.resize(entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i)
        order_[i] = entries[i].row;
}

qsizetype ListRows::heapBytes() const {
    return bytes_.capacity() + static_cast<qsizetype>((ends_.capacity() + order_.capacity()) * sizeof(qint64));
}

} // namespace scontrix::lists
