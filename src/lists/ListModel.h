#pragma once

#include "lists/ListRows.h"

#include <QAbstractListModel>
#include <QFont>

namespace scontrix::lists {

// The entries of a list box, over the compact rows: nothing is kept per entry
// but its bytes, and an entry's text is made only while it is drawn. Every
// entry has the same font and size (Courier New 12 pt, black, 1600 px wide,
// so long rows scroll sideways), which lets a view lay out a million of them
// without asking each one.
class ListModel final : public QAbstractListModel {
    Q_OBJECT
public:
    explicit ListModel(QObject* parent = nullptr);

    static constexpr int ItemWidth = 1600;

    // Takes the rows and puts them in list order.
    void setRows(ListRows rows);
    void clear();
    const ListRows& rows() const { return rows_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;

    QFont itemFont() const { return font_; }

private:
    ListRows rows_;
    QFont font_;
    int itemHeight_;
};

} // namespace scontrix::lists
