#include "catalogue/TfrmApriArchivio.h"

#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "ui/Style.h"

#include <QCloseEvent>

namespace scontrix::catalogue {

TfrmApriArchivio::TfrmApriArchivio(app::WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(995, 692), ui::colours::windowBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmApriArchivio"));
}

void TfrmApriArchivio::closeEvent(QCloseEvent* event) {
    // Any closing goes back to the start screen.
    windows_.handOver(this, windows_.frmAvvio());
    event->accept();
}

} // namespace scontrix::catalogue
