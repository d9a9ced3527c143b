#pragma once

#include "printing/VoucherSheet.h"
#include "report/TReport.h"
#include "ui/Windows.h"

#include <memory>

class QLabel;
class QPushButton;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::printing {

// What the print and preview windows share: the same small dialog over the
// editor, a voucher sheet of their own, and the sequence that copies the
// voucher they were given (the one on screen as the window opened) into the
// sheet, lays it out, hands it on and closes.
class VoucherOutputWindow : public ui::DialogWindow {
    Q_OBJECT
public:
    ui::ShapeRect* shpSfondo;
    QPushButton* btnAnnulla;
    QPushButton* btnStampa;
    QLabel* lblAttendere;
    // The window's own copy of the voucher sheet, as designed until a print fills it.
    std::unique_ptr<report::TReport> repBiglietto;

    void btnAnnullaClick();
    // Shows the waiting notice as soon as the button goes down, before the click.
    void btnStampaMouseDown();
    void btnStampaClick();

protected:
    struct Design {
        const char* objectName;
        const char* caption;
        const char* actionText;
        const char* pictureName;
        const char* artwork;
        QRect pictureBox;
        QPoint noticeAt;
        const char* failure;
    };
    VoucherOutputWindow(QWidget* owner, const VoucherSheetData& voucher, const Design& design);

    // Prints or previews the prepared sheet; returns when that is over.
    virtual void output() = 0;

    ui::Picture* instructions() const { return instructions_; }

private:
    VoucherSheetData voucher_;
    ui::Picture* instructions_;
    QString failure_;
};

} // namespace scontrix::printing
