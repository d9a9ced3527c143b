#include "app/TfrmInfo.h"

#include "app/Maker.h"
#include "guide/Misc.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/LinkText.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QPushButton>

namespace scontrix::app {

namespace {} // namespace

TfrmInfo::TfrmInfo(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Informazioni su Scontrix"), QSize(473, 579),
                       ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmInfo"));

    auto* background = new ui::GradientBackground(ui::colours::steelBlue, Qt::white, this);
    background->setObjectName(QStringLiteral("bkgWindow"));
    background->setGeometry(0, 0, 473, 579);

    // Positions below are the window's own; the panel holds the upper part.
    QWidget* pan = ui::makeContainer(background, QSize(442, 490));
    pan->move(15, 15);
    const QPoint origin(15, 15);

    shpSfondo = new ui::ShapeRect(pan);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(QRect(QPoint(23, 23) - origin, QSize(425, 72)));
    shpSfondo->setFill(Qt::white);
    shpSfondo->setBorder(QColor(0x84, 0xAD, 0xD0));

    imgLogo = ui::makePicture(pan, "imgLogo", "info_logo.svg",
                              QRect(QPoint(39, 31) - origin, QSize(392, 54)));
    icoInformazioni = ui::makePicture(pan, "icoInformazioni", "info_area.svg",
                                      QRect(QPoint(23, 107) - origin, QSize(425, 387)));

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), background);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(295, 519, 161, 41);
    btnChiudi->setCursor(Qt::PointingHandCursor);
    ui::setDesignFont(btnChiudi, QStringLiteral("Verdana"), 12);

    imgEmail = ui::makePicture(background, "imgEmail", "envelope.svg", QRect(15, 531, 23, 16));
    imgEmail->setClickable(true);

    lnkWeb = new ui::LinkText(maker::Email, background);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->move(46, 528);
    // The address is longer than the room left of "Chiudi": it is drawn a
    // little smaller rather than run under the button.
    lnkWeb->fitWithin(btnChiudi->x() - 8 - lnkWeb->x());
    lnkWeb->addPartner(imgEmail);

    ui::nameControls({
        {imgEmail, "Scrivi un'e-mail",
         "Scrivi all'assistenza per avere informazioni sul software."},
        {lnkWeb, "Scrivi un'e-mail", "Scrivi all'assistenza per avere informazioni sul software."},
    });

    connect(lnkWeb, &ui::LinkText::clicked, this, &TfrmInfo::lnkWebClick);
    connect(imgEmail, &ui::Picture::clicked, this, &TfrmInfo::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmInfo::btnChiudiClick);
}

QString TfrmInfo::emailLink() {
    return QStringLiteral("mailto:") + maker::Email + QStringLiteral("?subject=") +
           QStringLiteral("Software Scontrix") + QStringLiteral("&body=") +
           QStringLiteral(
               "Salve, desidererei avere le seguenti informazioni sul software in oggetto:");
}

void TfrmInfo::lnkWebClick() {
    lnkWeb->MouseUp();
    guide::TMisc::Open(u'"' + emailLink() + u'"');
}

void TfrmInfo::btnChiudiClick() {
    close();
}

} // namespace scontrix::app
