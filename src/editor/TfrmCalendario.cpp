#include "editor/TfrmCalendario.h"

namespace scontrix::editor {

TfrmCalendario::TfrmCalendario(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Importazione data"), QSize(253, 294), ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmCalendario"));
}

} // namespace scontrix::editor
