#include "lists/TfrmTrovaBiglietti.h"

namespace scontrix::lists {

TfrmTrovaBiglietti::TfrmTrovaBiglietti(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Trova buoni acquisto in archivio"), QSize(862, 560), ui::Placement::ScreenCentre) {
    setObjectName(QStringLiteral("frmTrovaBiglietti"));
}

} // namespace scontrix::lists
