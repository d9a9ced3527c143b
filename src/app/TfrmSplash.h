#pragma once

#include "ui/Windows.h"

namespace scontrix::app {

// The credits of the program.
class TfrmSplash : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner);
};

} // namespace scontrix::app
