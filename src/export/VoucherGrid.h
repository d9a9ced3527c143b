#pragma once

#include <QTableView>

namespace scontrix::exporting {

// The export grid: a table view over the voucher table, with the column
// widths, fixed row height and alternating rows of the design.
class VoucherGrid final : public QTableView {
    Q_OBJECT
public:
    explicit VoucherGrid(QWidget* parent = nullptr);

    static constexpr int RowHeight = 21;

    // Lays the columns out after the model's own table.
    void applyColumns();

    // Hands a cell still being typed in to the model and closes its editor, so
    // that what the user sees is what gets exported even when they never
    // pressed Enter.
    void commitOpenEditor();
};

} // namespace scontrix::exporting
