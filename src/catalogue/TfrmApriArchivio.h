#pragma once

#include "ui/Windows.h"

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::catalogue {

// Lists the archives of the program folder; opens or deletes the chosen one.
class TfrmApriArchivio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmApriArchivio(app::WindowSet& windows);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    app::WindowSet& windows_;
};

} // namespace scontrix::catalogue
