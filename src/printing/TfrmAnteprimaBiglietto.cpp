#include "printing/TfrmAnteprimaBiglietto.h"

#include "report/ReportActions.h"

namespace scontrix::printing {

TfrmAnteprimaBiglietto::TfrmAnteprimaBiglietto(QWidget* owner, const VoucherSheetData& sheet)
    : VoucherOutputWindow(owner, sheet,
                          {"frmAnteprimaBiglietto",
                           " Anteprima di stampa",
                           "Mostra anteprima",
                           "imgStampante",
                           "preview_instructions.svg",
                           {25, 30, 311, 182},
                           {112, 210},
                           "Attenzione: la visualizzazione dell'anteprima di stampa non "
                           "è andata a buon fine."}),
      imgStampante(instructions()) {}

// Returns when the user closes the preview.
void TfrmAnteprimaBiglietto::output() {
    report::showReport(*repBiglietto, true, this);
}

} // namespace scontrix::printing
