#include "editor/TfrmBiglietti.h"

#include "app/TfrmAvvio.h"
#include "app/WindowSet.h"
#include "ui/Style.h"

#include <QCloseEvent>
#include <QLabel>

namespace scontrix::editor {

TfrmBiglietti::TfrmBiglietti(app::WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(994, 692), ui::colours::windowBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmBiglietti"));
    lblFile = new QLabel(container());
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    lblNome = new QLabel(container());
    lblNome->setObjectName(QStringLiteral("lblNome"));
    lblNome->hide();
}

void TfrmBiglietti::closeEvent(QCloseEvent* event) {
    // Any closing goes back to the start screen.
    windows_.handOver(this, windows_.frmAvvio());
    event->accept();
}

} // namespace scontrix::editor
