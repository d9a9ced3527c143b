#include "app/TfrmAvvio.h"

#include "app/Maker.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "app/WindowSet.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "guide/GuideTopic.h"
#include "guide/Misc.h"
#include "guide/TfrmGuida.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCloseEvent>

namespace scontrix::app {

namespace {} // namespace

TfrmAvvio::TfrmAvvio(WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix"), QSize(995, 692), ui::colours::steelBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmAvvio"));
    QWidget* pan = container();

    shpTop = ui::makeRect(pan, "shpTop", {4, 4, 986, 120});
    imgInfo = ui::makePicture(pan, "imgInfo", "start_info.svg", {14, 14, 30, 30}, true);
    icoTitolo01 = ui::makePicture(pan, "icoTitolo01", "start_title.svg", {86, 20, 822, 71}, false);
    imgGuida = ui::makePicture(pan, "imgGuida", "start_help.svg", {952, 16, 29, 28}, true);
    imgSottotitolo =
        ui::makePicture(pan, "imgSottotitolo", "start_subtitle.svg", {17, 94, 961, 22}, false);
    shpApp01 = ui::makeRect(pan, "shpApp01", {4, 130, 490, 472});
    shpApp02 = ui::makeRect(pan, "shpApp02", {500, 130, 490, 472});
    imgApp01 = ui::makePicture(pan, "imgApp01", "start_app_create.svg", {64, 154, 368, 368}, true);
    btnApp01 = ui::makePicture(pan, "btnApp01", "start_btn_create.svg", {52, 532, 395, 53}, true);
    imgApp02 = ui::makePicture(pan, "imgApp02", "start_app_issue.svg", {560, 154, 368, 368}, true);
    btnApp02 = ui::makePicture(pan, "btnApp02", "start_btn_issue.svg", {548, 532, 395, 53}, true);
    shpBottom = ui::makeRect(pan, "shpBottom", {4, 608, 986, 80});
    imgSito = ui::makePicture(pan, "imgSito", "start_site.svg", {17, 628, 961, 22}, true);
    imgCopyright =
        ui::makePicture(pan, "imgCopyright", "start_copyright.svg", {16, 660, 23, 22}, true);
    imgEsci = ui::makePicture(pan, "imgEsci", "start_exit.svg", {960, 662, 17, 18}, true);

    imgInfo->setToolTip(QStringLiteral("Informazioni su Scontrix"));
    imgGuida->setToolTip(QStringLiteral("Guida all'utilizzo del software"));
    imgCopyright->setToolTip(QStringLiteral("Riconoscimenti"));
    imgEsci->setToolTip(QStringLiteral("Esci da Scontrix"));

    // What a screen reader says of each picture: the picture and the button
    // face beneath it do the same and read the same.
    ui::nameControls({
        {icoTitolo01, "Scontrix"},
        {imgSottotitolo, "Software rivolto ad attività commerciali di ogni genere per emettere "
                         "buoni acquisto con logo personalizzato intestati ai propri clienti"},
        {imgInfo, "Informazioni", "Informazioni su Scontrix."},
        {imgGuida, "Guida", "Guida all'utilizzo del software."},
        {imgApp01, "Creazione archivi", "Crea un nuovo archivio di buoni acquisto."},
        {btnApp01, "Creazione archivi", "Crea un nuovo archivio di buoni acquisto."},
        {imgApp02, "Emissione buoni", "Apre un archivio per emettere e gestire i buoni acquisto."},
        {btnApp02, "Emissione buoni", "Apre un archivio per emettere e gestire i buoni acquisto."},
        {imgSito, "Sito web", "Visita il sito web del produttore."},
        {imgCopyright, "Riconoscimenti", "Riconoscimenti."},
        {imgEsci, "Esci", "Esci da Scontrix."},
    });

    // The picture and its button face share one handler.
    connect(imgApp01, &ui::Picture::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(btnApp01, &ui::Picture::clicked, this, &TfrmAvvio::imgApp01Click);
    connect(imgApp02, &ui::Picture::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(btnApp02, &ui::Picture::clicked, this, &TfrmAvvio::imgApp02Click);
    connect(imgInfo, &ui::Picture::clicked, this, &TfrmAvvio::imgInfoClick);
    connect(imgGuida, &ui::Picture::clicked, this, &TfrmAvvio::imgGuidaClick);
    connect(imgCopyright, &ui::Picture::clicked, this, &TfrmAvvio::imgCopyrightClick);
    connect(imgSito, &ui::Picture::clicked, this, &TfrmAvvio::imgSitoClick);
    connect(imgEsci, &ui::Picture::clicked, this, &TfrmAvvio::imgEsciClick);
}

void TfrmAvvio::imgApp01Click() {
    windows_.handOver(this, windows_.frmCreaArchivio());
}

void TfrmAvvio::imgApp02Click() {
    windows_.handOver(this, windows_.frmApriArchivio());
}

void TfrmAvvio::imgInfoClick() {
    ui::openDialog<TfrmInfo>(this);
}

void TfrmAvvio::imgGuidaClick() {
    ui::openDialog<guide::TfrmGuida>(this, guide::startScreenTopic());
}

void TfrmAvvio::imgCopyrightClick() {
    ui::openDialog<TfrmSplash>(this);
}

void TfrmAvvio::imgSitoClick() {
    guide::TMisc::Open(maker::WebSite);
}

void TfrmAvvio::imgEsciClick() {
    windows_.endApplication();
}

void TfrmAvvio::closeEvent(QCloseEvent* event) {
    // The start screen is not the main window, yet closing it ends the program.
    event->accept();
    windows_.endApplication();
}

} // namespace scontrix::app
