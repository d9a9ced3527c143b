#include "app/TfrmInfo.h"

namespace scontrix::app {

TfrmInfo::TfrmInfo(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Informazioni su Scontrix"), QSize(473, 579), ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmInfo"));
}

} // namespace scontrix::app
