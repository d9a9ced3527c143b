#pragma once

#include "ui/Windows.h"
#include "voucher/OpenArchive.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::catalogue {

// Lists the archives of the program folder; opens the chosen one in the
// voucher editor or deletes it.
class TfrmApriArchivio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    TfrmApriArchivio();

    ui::ShapeRect* bkgSfondo02;
    ui::ShapeRect* bkgSfondo01;
    ui::Picture* icoIcona04;
    ui::Picture* icoIstruzioni;
    ui::ShapeRect* bkgSfondo03;
    ui::Picture* btnElimina;
    ui::Picture* icoMano;
    ui::Picture* imgGuida;
    ui::ShapeRect* sfoBonificiEmessi;
    QListWidget* lstFiles;
    QLabel* lblCreati;
    ui::ShapeRect* bkgSfondo06;
    ui::Picture* btnAnnulla;
    ui::Picture* btnApri;

    void FormShow();
    void btnApriClick();
    void btnEliminaClick();
    void btnAnnullaClick();
    void imgGuidaClick();
    // Fills the list afresh from the program folder and updates the count.
    void listArchives();

signals:
    // "Apri archivio" closed the window on the selected archive.
    void archiveChosen(const voucher::OpenArchive& archive);
    // Every other way out: Annulla, the window system's close.
    void closedToStart();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidgetItem* selectedEntry() const;
    // The selected entry; without one, warns (an empty list has its own warning).
    QListWidgetItem* chosenEntry(const QString& nothingSelected);

    // Where closing the window leads: set by "Apri archivio" just before it
    // closes, reset by every showing and every deletion (the design's hidden
    // marker `lblMemory`, "password" or "avvio").
    bool toEditor_ = false;
};

} // namespace scontrix::catalogue
