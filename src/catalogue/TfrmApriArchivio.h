#pragma once

#include "ui/Windows.h"

class QLabel;
class QListWidget;
class QListWidgetItem;

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::app {
class WindowSet;
}

namespace scontrix::catalogue {

// Lists the archives of the program folder; opens the chosen one in the
// voucher editor or deletes it.
class TfrmApriArchivio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmApriArchivio(app::WindowSet& windows);

    // Return markers in lblMemory: what closing the window leads to.
    static inline const QString ToStart = QStringLiteral("avvio");
    static inline const QString ToEditor = QStringLiteral("password");

    ui::ShapeRect* bkgSfondo02;
    ui::ShapeRect* bkgSfondo01;
    ui::Picture* icoIcona04;
    ui::Picture* icoIstruzioni;
    QLabel* lblMemory;
    ui::ShapeRect* bkgSfondo03;
    ui::Picture* btnElimina;
    ui::Picture* icoMano;
    ui::Picture* imgGuida;
    ui::ShapeRect* sfoBonificiEmessi;
    QListWidget* lstFiles;
    QLabel* lblCreati;
    QLabel* lblFile;
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

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    QListWidgetItem* selectedEntry() const;
    // The selected entry; without one, warns (an empty list has its own warning).
    QListWidgetItem* chosenEntry(const QString& nothingSelected);

    app::WindowSet& windows_;
};

} // namespace scontrix::catalogue
