#pragma once

#include "ui/Windows.h"

class QLabel;

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::editor {

// The voucher editor: enters, browses, saves and sends the vouchers of one archive.
class TfrmBiglietti : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmBiglietti(app::WindowSet& windows);

    // Hidden labels through which the archive selection window hands over the
    // archive: its full path and its bare name.
    QLabel* lblFile;
    QLabel* lblNome;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    app::WindowSet& windows_;
};

} // namespace scontrix::editor
