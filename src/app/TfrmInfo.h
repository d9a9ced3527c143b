#pragma once

#include "ui/Windows.h"

namespace scontrix::app {

// About the program and its maker.
class TfrmInfo : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner);
};

} // namespace scontrix::app
