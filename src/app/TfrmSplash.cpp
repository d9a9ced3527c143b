#include "app/TfrmSplash.h"

namespace scontrix::app {

TfrmSplash::TfrmSplash(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Riconoscimenti"), QSize(661, 467), ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmSplash"));
}

} // namespace scontrix::app
