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

// Replaces the access password: the old one must match the store, the new one
// must be typed twice alike. Any closing returns to the login window.
class TfrmCambiaPassword : public ui::FixedWindow {
    Q_OBJECT
public:
    TfrmCambiaPassword();

    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    QLabel* lblRigo05;
    ui::ShapeRect* effPasswordOld;
    QLineEdit* txtPasswordOld;
    QLabel* lblRigo06;
    ui::ShapeRect* effPasswordNew;
    QLineEdit* txtPasswordNew;
    QLabel* lblRigo07;
    ui::ShapeRect* effConferma;
    QLineEdit* txtConferma;
    QPushButton* cmdEsci;
    QPushButton* cmdOK;

    void FormShow();
    void fieldChange();
    void cmdOKClick();
    void cmdEsciClick();

    // The message refusing a new password that holds characters the store
    // cannot keep, naming them.
    static QString unstorableMessage(const QString& password);

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

signals:
    // The window was closed, by its own button or the window system's: back
    // to the login window.
    void closed();

private:
    void refuseNewPassword(const QString& message);
};

} // namespace scontrix::access
