#pragma once

#include "ui/Windows.h"

namespace scontrix::editor {

// Picks a date for one of the editor's date fields.
class TfrmCalendario : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* owner);
};

} // namespace scontrix::editor
