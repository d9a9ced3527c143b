#include "app/TfrmGuida.h"

namespace scontrix::app {

TfrmGuida::TfrmGuida(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Guida all'utilizzo del software"), QSize(670, 572), ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmGuida"));
}

} // namespace scontrix::app
