#pragma once

#include "printing/VoucherOutputWindow.h"

namespace scontrix::printing {

// Shows the voucher of the editor in the engine's preview, from which it can
// be printed too.
class TfrmAnteprimaBiglietto : public VoucherOutputWindow {
    Q_OBJECT
public:
    TfrmAnteprimaBiglietto(QWidget* owner, const VoucherSheetData& sheet);

    ui::Picture* imgStampante;

protected:
    void output() override;
};

} // namespace scontrix::printing
