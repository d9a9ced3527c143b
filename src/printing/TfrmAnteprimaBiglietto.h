#pragma once

#include "ui/Windows.h"

namespace scontrix::printing {

// Previews the voucher shown in the editor.
class TfrmAnteprimaBiglietto : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmAnteprimaBiglietto(QWidget* owner);
};

} // namespace scontrix::printing
