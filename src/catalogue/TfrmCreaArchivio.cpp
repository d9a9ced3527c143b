#include "catalogue/TfrmCreaArchivio.h"

#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "ui/Style.h"

#include <QCloseEvent>

namespace scontrix::catalogue {

TfrmCreaArchivio::TfrmCreaArchivio(app::WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Creazione nuovo archivio"), QSize(995, 692), ui::colours::windowBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmCreaArchivio"));
}

void TfrmCreaArchivio::closeEvent(QCloseEvent* event) {
    // Any closing goes back to the start screen.
    windows_.handOver(this, windows_.frmAvvio());
    event->accept();
}

} // namespace scontrix::catalogue
