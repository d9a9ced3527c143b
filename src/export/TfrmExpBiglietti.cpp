#include "export/TfrmExpBiglietti.h"

namespace scontrix::exporting {

TfrmExpBiglietti::TfrmExpBiglietti(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Esporta archivio buoni acquisto in Excel"), QSize(862, 560), ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmExpBiglietti"));
}

} // namespace scontrix::exporting
