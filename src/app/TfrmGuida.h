#pragma once

#include "ui/Windows.h"

namespace scontrix::app {

// Shows one help topic.
class TfrmGuida : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmGuida(QWidget* owner);
};

} // namespace scontrix::app
