#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <vector>

namespace scontrix::lists {

// The order of the list boxes: character by character by UTF-16 code unit,
// with a-z counted as A-Z and nothing else folded; a text that is a prefix of
// another comes first. Since every row starts with the customer's name in 26
// columns, a list is in effect ordered by customer.
bool listTextLess(QStringView a, QStringView b);

// The rows of one list, kept compact: a million vouchers make a million rows,
// so they live as Windows-1252 bytes one after the other in one block, with
// one offset each, rather than as a string object apiece. A row's text is
// decoded only when it is asked for (to be drawn, printed or compared).
class ListRows {
public:
    qsizetype size() const { return static_cast<qsizetype>(ends_.size()); }
    bool empty() const { return ends_.empty(); }
    void clear();
    void reserveBytes(qsizetype bytes) { bytes_.reserve(bytes); }

    // Adds the row whose bytes were appended to bytes() since the last add.
    QByteArray& bytes() { return bytes_; }
    // A row added after sort() goes to the end of the list.
    void commitRow();
    void append(QByteArrayView rowBytes);
    void append(const QString& rowText);

    QByteArrayView rowBytes(qsizetype i) const;
    QString text(qsizetype i) const;

    // Puts the rows in list order (listTextLess); rows that compare equal keep
    // the order in which they were added.
    void sort();

    // Bytes held, for the memory figures of the benchmarks.
    qsizetype heapBytes() const;

private:
    QByteArray bytes_;
    std::vector<qint64> ends_; // end of row i; it starts at the end of row i - 1
    std::vector<qint64> order_; // when sorted: display position -> row as added
};

} // namespace scontrix::lists
