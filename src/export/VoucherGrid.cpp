#include "export/VoucherGrid.h"

#include "export/VoucherTable.h"
#include "ui/Style.h"

#include <QHeaderView>

namespace scontrix::exporting {

VoucherGrid::VoucherGrid(QWidget* parent) : QTableView(parent) {
    setAlternatingRowColors(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setWordWrap(false);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    ui::setDesignFont(this, QStringLiteral("Verdana"), 9);
    QPalette colours = palette();
    colours.setColor(QPalette::AlternateBase, QColor(0xEC, 0xF1, 0xF8));
    setPalette(colours);
    // A little air between the grid lines and the texts.
    setStyleSheet(QStringLiteral("QTableView::item { padding-left: 3px; }"));

    // A million rows of one fixed height: the view never measures a row.
    QHeaderView* rows = verticalHeader();
    rows->hide();
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(RowHeight);
    rows->setSectionResizeMode(QHeaderView::Fixed);

    QHeaderView* header = horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Interactive);
    header->setHighlightSections(false);
    header->setStretchLastSection(false);
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    ui::setDesignFont(header, QStringLiteral("Verdana"), 9, true);
}

void VoucherGrid::applyColumns() {
    const auto& columns = VoucherTable::columns();
    for (int i = 0; i < VoucherTable::ColumnCount; ++i)
        horizontalHeader()->resizeSection(i, columns[std::size_t(i)].width);
}

void VoucherGrid::commitOpenEditor() {
    if (state() != QAbstractItemView::EditingState)
        return;
    if (QWidget* editor = indexWidget(currentIndex())) {
        commitData(editor);
        closeEditor(editor, QAbstractItemDelegate::NoHint);
    }
}

} // namespace scontrix::exporting
