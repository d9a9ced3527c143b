#pragma once

#include "ui/Windows.h"

namespace scontrix::printing {

// Prints the voucher shown in the editor.
class TfrmStampaBiglietto : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmStampaBiglietto(QWidget* owner);
};

} // namespace scontrix::printing
