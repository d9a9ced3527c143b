#pragma once

#include "ui/Windows.h"

class QLabel;
class QLineEdit;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::catalogue {

// Creates a new, empty archive in the program folder under the typed name.
class TfrmCreaArchivio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    TfrmCreaArchivio();

    static constexpr int MaxNameLength = 250;

    ui::ShapeRect* bkgSfondo02;
    ui::ShapeRect* bkgSfondo01;
    ui::Picture* icoIcona04;
    ui::Picture* icoIstruzioni;
    ui::ShapeRect* bkgSfondo03;
    ui::ShapeRect* bkgSfondo04;
    ui::Picture* icoIcona02;
    ui::Picture* imgGuida;
    ui::Picture* icoMano;
    ui::ShapeRect* bkgFile;
    QLineEdit* txtFile;
    ui::ShapeRect* bkgSfondo05;
    ui::Picture* btnAnnulla;
    ui::Picture* btnApplica;

    void FormShow();
    void btnApplicaClick();
    void btnAnnullaClick();
    void imgGuidaClick();

signals:
    // Any closing: back to the start screen.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};

} // namespace scontrix::catalogue
