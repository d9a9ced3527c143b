#include "printing/TfrmStampaBiglietto.h"

namespace scontrix::printing {

TfrmStampaBiglietto::TfrmStampaBiglietto(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Stampa buono acquisto"), QSize(364, 287), ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmStampaBiglietto"));
}

} // namespace scontrix::printing
