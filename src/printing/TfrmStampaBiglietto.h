#pragma once

#include "printing/VoucherOutputWindow.h"

namespace scontrix::printing {

// Prints the voucher shown in the editor through the engine's print dialog.
class TfrmStampaBiglietto : public VoucherOutputWindow {
    Q_OBJECT
public:
    TfrmStampaBiglietto(QWidget* owner, const VoucherSheetData& sheet);

    ui::Picture* imgLogo01;

protected:
    void output() override;
};

} // namespace scontrix::printing
