#pragma once

#include "ui/Windows.h"

namespace scontrix::lists {

// Searches the open archive with up to ten filters.
class TfrmTrovaBiglietti : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaBiglietti(QWidget* owner);
};

} // namespace scontrix::lists
