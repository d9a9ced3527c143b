#pragma once

#include "ui/Windows.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::access {

// The login window, the program's main window: asks for the access password
// and says when it matches the stored one; where the program goes then is
// the window set's to decide.
class TfrmPassword : public ui::FixedWindow {
    Q_OBJECT
public:
    TfrmPassword();

    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    ui::ShapeRect* shpTitolo;
    QLabel* lblRigo05;
    ui::ShapeRect* effPassword;
    QLineEdit* txtPassword;
    QPushButton* cmdOK;
    QPushButton* cmdEsci;
    QPushButton* btnCambiaPassword;

    void FormShow();
    void txtPasswordChange();
    void txtPasswordKeyDown();
    void cmdOKClick();
    void cmdEsciClick();
    void btnCambiaPasswordClick();
    // Empties the password field for the next login, as coming back from
    // the password change does.
    void clearPassword();

signals:
    // The typed password matches the stored one.
    void loggedIn();
    void passwordChangeAsked();
    // The window was closed: the program ends with it.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace scontrix::access
