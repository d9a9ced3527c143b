#pragma once

#include "ui/Windows.h"

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::catalogue {

// Creates a new, empty archive in the program folder.
class TfrmCreaArchivio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmCreaArchivio(app::WindowSet& windows);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    app::WindowSet& windows_;
};

} // namespace scontrix::catalogue
