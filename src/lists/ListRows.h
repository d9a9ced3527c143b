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
// Rows joined from another list keep their block (a big scan gathers each
// half of the archive on its own), so a list may span a few blocks; the
// offsets run on across them and no row is split.
class ListRows {
public:
    qsizetype size() const { return static_cast<qsizetype>(ends_.size()); }
    bool empty() const { return ends_.empty(); }
    void clear();
    void reserveBytes(qsizetype bytes) { bytes_.reserve(bytes); }

    // Adds the row whose bytes were appended to bytes() since the last add.
    // bytes() is the block rows are added to, not the whole list.
    QByteArray& bytes() { return bytes_; }
    // A row added after sort() goes to the end of the list.
    void commitRow();
    void append(QByteArrayView rowBytes);
    void append(const QString& rowText);
    // Adds `other`'s rows after these, in the order they were added there,
    // taking over its blocks rather than copying them.
    void append(ListRows&& other);

    QByteArrayView rowBytes(qsizetype i) const;
    QString text(qsizetype i) const;

    // Puts the rows in list order (listTextLess); rows that compare equal keep
    // the order in which they were added.
    void sort();

    // Bytes held, for the memory figures of the benchmarks.
    qsizetype heapBytes() const;

private:
    // A block that rows are no longer added to, and where its bytes start in
    // the offsets of the rows.
    struct Block {
        QByteArray bytes;
        qint64 base;
    };
    // The bytes of the rows from `begin` to `end` (offsets as in ends_).
    const char* at(qint64 begin) const;

    std::vector<Block> earlier_; // in the order of their rows
    QByteArray bytes_;           // the block rows are added to
    qint64 base_ = 0;            // where it starts in the offsets
    std::vector<qint64> ends_;   // end of row i; it starts at the end of row i - 1
    std::vector<qint64> order_;  // when sorted: display position -> row as added
};

} // namespace scontrix::lists
