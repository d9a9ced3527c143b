#include "lists/TfrmRiepDaPagare.h"

namespace scontrix::lists {

TfrmRiepDaPagare::TfrmRiepDaPagare(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Riepilogo buoni acquisto non incassati"), QSize(862, 560), ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmRiepDaPagare"));
}

} // namespace scontrix::lists
