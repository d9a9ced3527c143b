#pragma once

#include "ui/Windows.h"

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::editor {

// The voucher editor: enters, browses, saves and sends the vouchers of one archive.
class TfrmBiglietti : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmBiglietti(app::WindowSet& windows);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    app::WindowSet& windows_;
};

} // namespace scontrix::editor
