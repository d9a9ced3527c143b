#include "printing/TfrmStampaBiglietto.h"

#include "report/ReportActions.h"

namespace scontrix::printing {

TfrmStampaBiglietto::TfrmStampaBiglietto(QWidget* owner, const VoucherSheetData& sheet)
    : VoucherOutputWindow(owner, sheet,
                          {"frmStampaBiglietto",
                           " Stampa buono acquisto",
                           "Stampa",
                           "imgLogo01",
                           "print_instructions.svg",
                           {22, 25, 317, 198},
                           {128, 212},
                           "Attenzione: la stampa non è andata a buon fine."}),
      imgLogo01(instructions()) {}

// Cancelling the print dialog, or having no printer, is the user's answer,
// not a failure: the window closes without a word.
void TfrmStampaBiglietto::output() {
    report::printReport(*repBiglietto, this);
}

} // namespace scontrix::printing
