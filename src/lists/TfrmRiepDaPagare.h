#pragma once

#include "ui/Windows.h"

namespace scontrix::lists {

// Lists the vouchers of the open archive not yet cashed.
class TfrmRiepDaPagare : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmRiepDaPagare(QWidget* owner);
};

} // namespace scontrix::lists
