#include "printing/VoucherOutputWindow.h"

#include "platform/MessageBoxes.h"
#include "printing/VoucherSheet.h"
#include "report/ReportActions.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"
#include "voucher/Formats.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <exception>
#include <stdexcept>

namespace scontrix::printing {

VoucherOutputWindow::VoucherOutputWindow(QWidget* owner, const VoucherSheetData& sheet,
                                         const Design& design)
    : ui::DialogWindow(owner, QString::fromUtf8(design.caption), QSize(364, 287),
                       ui::Placement::OwnerCentre),
      repBiglietto(makeVoucherSheet()), voucher_(sheet),
      failure_(QString::fromUtf8(design.failure)) {
    setObjectName(QString::fromLatin1(design.objectName));
    voucher::Formats::apply();

    auto* background = new ui::GradientBackground(ui::colours::steelBlue, Qt::white, this);
    background->setGeometry(0, 0, 364, 287);
    QWidget* pan = ui::makeContainer(background, QSize(364, 287));

    shpSfondo = ui::makeRect(pan, "shpSfondo", {18, 18, 326, 214});
    btnAnnulla = ui::makeButton(pan, "btnAnnulla", QStringLiteral("Annulla"), {18, 243, 145, 28});
    btnStampa =
        ui::makeButton(pan, "btnStampa", QString::fromUtf8(design.actionText), {200, 243, 145, 28});
    instructions_ = ui::makePicture(pan, design.pictureName, design.artwork, design.pictureBox);

    lblAttendere = new QLabel(QStringLiteral("Elaborazione in corso. Attendere..."), pan);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    QFont notice = ui::designFont(QStringLiteral("Verdana"), 8);
    notice.setItalic(true);
    lblAttendere->setFont(notice);
    QPalette ink = lblAttendere->palette();
    ink.setColor(QPalette::WindowText, ui::colours::crimson);
    lblAttendere->setPalette(ink);
    lblAttendere->move(design.noticeAt);
    lblAttendere->adjustSize();
    lblAttendere->hide();

    for (QPushButton* b : {btnAnnulla, btnStampa})
        b->setAutoDefault(false);
    setTabOrder(btnAnnulla, btnStampa);
    btnAnnulla->setFocus();

    connect(btnAnnulla, &QPushButton::clicked, this, &VoucherOutputWindow::btnAnnullaClick);
    connect(btnStampa, &QPushButton::pressed, this, &VoucherOutputWindow::btnStampaMouseDown);
    connect(btnStampa, &QPushButton::clicked, this, &VoucherOutputWindow::btnStampaClick);
}

void VoucherOutputWindow::btnAnnullaClick() {
    reject();
}

void VoucherOutputWindow::btnStampaMouseDown() {
    lblAttendere->show();
}

void VoucherOutputWindow::btnStampaClick() {
    try {
        lblAttendere->show();
        // The notice must be on screen before the work blocks the window.
        lblAttendere->repaint();
        fillVoucherSheet(*repBiglietto, voucher_);
        // Errors collected while laying out are the engine's to show; they
        // do not stop the print.
        report::prepareReport(*repBiglietto, true, this);
        lblAttendere->hide();
        output();
    } catch (const std::exception&) {
        lblAttendere->hide();
        platform::MessageBoxes::current().typed(this, platform::MessageType::Warning, failure_);
    }
    accept();
}

} // namespace scontrix::printing
