#pragma once

#include "ui/Windows.h"

namespace scontrix::exporting {

// Exports the open archive as a spreadsheet file.
class TfrmExpBiglietti : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmExpBiglietti(QWidget* owner);
};

} // namespace scontrix::exporting
