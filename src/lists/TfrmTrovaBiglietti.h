#pragma once

#include "lists/ListWindow.h"

#include <array>
#include <memory>

namespace scontrix::lists {

class SearchFilters;

// Searches the open archive with up to ten filters at once and lists what it
// finds; a listed voucher opens in the editor with a double click, when the
// editor opened the search (lblMemory "biglietti").
class TfrmTrovaBiglietti final : public ListWindow {
    Q_OBJECT
public:
    explicit TfrmTrovaBiglietti(editor::TfrmBiglietti* editor);

    // The filter panel, shown first.
    QWidget* panAvvio;
    ui::ShapeRect* shpSfondoCampi;
    ui::ShapeRect* shpSpiega;
    QPushButton* btnAnnulla;
    QPushButton* btnCerca;
    QLineEdit* txtAcquirente;
    QLineEdit* txtVia;
    QLineEdit* txtCitta;
    QLineEdit* txtCel;
    QLineEdit* txtNum;
    QLineEdit* txtSpettatore;
    QLineEdit* txtPosto;
    QLineEdit* txtEvento;
    QLineEdit* txtScritta;
    QLineEdit* txtNote;
    QLabel* lblConta;
    QLabel* lblAttendere;
    ui::Picture* imgSpiega;
    ui::Picture* icoTrova01;

    // The results panel, shown after a search.
    QWidget* panContainer;
    QLabel* lblMemory;
    QLabel* lblTrovate;

    // The ten filter fields in the order of the filter table.
    QList<QLineEdit*> filterFields() const;

    void FormShow();
    void btnCercaClick();
    void btnStampaClick();

    static const QString CallerMode;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;
    void lstRecordsDblClick() override;

private:
    void buildFilterPanel(QWidget* pan);

    struct FilterField {
        QLineEdit* field;
        ui::ShapeRect* frame; // the yellow frame shown behind the focused field
    };
    std::array<FilterField, 10> filters_{};
    // The filters the list shown was made with.
    std::shared_ptr<const SearchFilters> listedBy_;
};

} // namespace scontrix::lists
