#pragma once

#include "ui/Windows.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::access {

// The login window, the program's main window: asks for the access password
// and hands over to the start screen when it matches the stored one.
class TfrmPassword : public ui::FixedWindow {
    Q_OBJECT
public:
    explicit TfrmPassword(app::WindowSet& windows);

    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    ui::ShapeRect* shpTitolo;
    QLabel* lblRigo05;
    ui::ShapeRect* effPassword;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;
    QLabel* lblMemory;

    void FormShow();
    void txtPasswordChange();
    void txtPasswordKeyDown();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    app::WindowSet& windows_;
};

} // namespace scontrix::access
