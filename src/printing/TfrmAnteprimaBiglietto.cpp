#include "printing/TfrmAnteprimaBiglietto.h"

namespace scontrix::printing {

TfrmAnteprimaBiglietto::TfrmAnteprimaBiglietto(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Anteprima di stampa"), QSize(364, 287), ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmAnteprimaBiglietto"));
}

} // namespace scontrix::printing
