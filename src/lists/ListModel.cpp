#include "lists/ListModel.h"

#include <QColor>
#include <QFontMetrics>
#include <QSize>

namespace scontrix::lists {

ListModel::ListModel(QObject* parent) : QAbstractListModel(parent) {
    // 12 pt at the design's 96 dots per inch, as every window's fonts.
    font_.setFamilies({QStringLiteral("Courier New"), QStringLiteral("Liberation Mono"),
                       QStringLiteral("DejaVu Sans Mono")});
    font_.setStyleHint(QFont::Monospace);
    font_.setPixelSize(16);
    itemHeight_ = QFontMetrics(font_).height() + 2;
}

void ListModel::setRows(ListRows rows) {
    beginResetModel();
    rows_ = std::move(rows);
    rows_.sort();
    endResetModel();
}

void ListModel::clear() {
    beginResetModel();
    rows_.clear();
    endResetModel();
}

int ListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

QVariant ListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rows_.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return rows_.text(index.row());
    case Qt::FontRole:
        return font_;
    case Qt::ForegroundRole:
        return QColor(Qt::black);
    case Qt::SizeHintRole:
        return QSize(ItemWidth, itemHeight_);
    default:
        return {};
    }
}

} // namespace scontrix::lists
