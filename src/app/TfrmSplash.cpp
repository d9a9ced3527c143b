#include "app/TfrmSplash.h"

#include "app/Maker.h"
#include "guide/Misc.h"
#include "ui/Accessibility.h"
#include "ui/LinkText.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QPushButton>

namespace scontrix::app {

TfrmSplash::TfrmSplash(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Riconoscimenti"), QSize(661, 467),
                       ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmSplash"));

    auto* background = new ui::GradientBackground(Qt::white, QColor(0x35, 0x25, 0x25), this);
    background->setObjectName(QStringLiteral("bkgWindow"));
    background->setGeometry(0, 0, 661, 467);
    QWidget* pan = ui::makeContainer(background, QSize(642, 448));
    pan->move((661 - 642) / 2, (467 - 448) / 2);

    imgLogo = new ui::Picture(pan);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(8, 8, 625, 380);
    imgLogo->setArtwork(QStringLiteral(":/artwork/credits.svg"));

    // The lower edge of the window is nearly black; the dark blue link keeps
    // a light strip behind it so that it can be read.
    shpWeb = new ui::ShapeRect(pan);
    shpWeb->setObjectName(QStringLiteral("shpWeb"));
    shpWeb->setGeometry(4, 398, 400, 40);
    shpWeb->setFill(QColor(0xFF, 0xFF, 0xFF, 0xE6));
    shpWeb->setBorder(QColor(0xD8, 0xC8, 0xC8));
    shpWeb->setCornerRadius(8);

    imgWeb = new ui::Picture(pan);
    imgWeb->setObjectName(QStringLiteral("imgWeb"));
    imgWeb->setGeometry(8, 400, 39, 36);
    imgWeb->setArtwork(QStringLiteral(":/artwork/globe.svg"));
    imgWeb->setClickable(true);

    lnkWeb = new ui::LinkText(maker::WebSite, pan);
    lnkWeb->setObjectName(QStringLiteral("lnkWeb"));
    lnkWeb->move(54, 409);
    lnkWeb->addPartner(imgWeb);
    shpWeb->resize(lnkWeb->geometry().right() + 12 - shpWeb->x(), shpWeb->height());

    btnChiudi = new QPushButton(QStringLiteral("Chiudi"), pan);
    btnChiudi->setObjectName(QStringLiteral("btnChiudi"));
    btnChiudi->setGeometry(473, 402, 160, 34);
    btnChiudi->setCursor(Qt::PointingHandCursor);
    ui::setDesignFont(btnChiudi, QStringLiteral("Verdana"), 12);

    ui::nameControls({
        {imgWeb, "Sito web", "Visita il sito web del produttore."},
        {lnkWeb, "Sito web", "Visita il sito web del produttore."},
    });

    connect(lnkWeb, &ui::LinkText::clicked, this, &TfrmSplash::lnkWebClick);
    connect(imgWeb, &ui::Picture::clicked, this, &TfrmSplash::lnkWebClick);
    connect(btnChiudi, &QPushButton::clicked, this, &TfrmSplash::btnChiudiClick);
}

void TfrmSplash::lnkWebClick() {
    lnkWeb->MouseUp();
    guide::TMisc::Open(maker::WebSite);
}

void TfrmSplash::btnChiudiClick() {
    close();
}

} // namespace scontrix::app
