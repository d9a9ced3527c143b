#pragma once

#include "export/VoucherTable.h"
#include "ui/Windows.h"
#include "voucher/OpenArchive.h"

#include <QHash>

class QLabel;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::exporting {

class VoucherGrid;

// Shows the whole open archive in a grid and writes it as the spreadsheet file
// of the program folder. Cells of the editable columns may be changed for the
// export alone; the archive is never written.
class TfrmExpBiglietti : public ui::DialogWindow {
    Q_OBJECT
public:
    // Shows and exports `archive`, the one the owner (the editor) works on.
    TfrmExpBiglietti(QWidget* owner, const voucher::OpenArchive& archive);
    ~TfrmExpBiglietti() override;

    QWidget* panContainer;
    VoucherGrid* grdRecords;
    ui::ShapeRect* shpInfo;
    QLabel* panInfo;
    ui::ShapeRect* shpSfondo;
    ui::Picture* cmdEsporta;
    ui::Picture* cmdGuida;
    ui::Picture* cmdEsci;
    ui::Picture* imgLogo;
    ui::Picture* icoHand;

    VoucherTable* records() const { return records_; }

    // How long reading or writing runs before its progress is shown.
    int progressDelayMs = 600;

    void FormShow();
    void cmdEsportaClick();
    void cmdGuidaClick();
    void cmdEsciClick();

    static const QString ExportQuestion;
    static const QString OpenQuestion;
    static const QString ExportFailure;
    // The grid is not the whole archive: its reading stopped or failed.
    static const QString IncompleteArchive;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QString archivePath() const;
    void watchMouse(QWidget* widget);

    voucher::OpenArchive archive_;
    VoucherTable* records_;
    VoucherTable::Fill fill_ = VoucherTable::Fill::Complete;
    QHash<QObject*, QString> hints_;
};

} // namespace scontrix::exporting
