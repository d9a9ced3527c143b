#include "editor/TfrmBiglietti.h"

#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "ui/Style.h"

#include <QCloseEvent>

namespace scontrix::editor {

TfrmBiglietti::TfrmBiglietti(app::WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(994, 692), ui::colours::windowBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmBiglietti"));
}

void TfrmBiglietti::closeEvent(QCloseEvent* event) {
    // Any closing goes back to the start screen.
    windows_.handOver(this, windows_.frmAvvio());
    event->accept();
}

} // namespace scontrix::editor
