#pragma once

#include "lists/ListWindow.h"

#include <array>
#include <memory>

namespace scontrix::lists {

class SearchFilters;

// Searches the open archive with up to ten filters at once and lists what it
// finds; a double click on a listed voucher reports it (voucherChosen) when
// the editor opened the search.
class TfrmTrovaBiglietti final : public ListWindow {
    Q_OBJECT
public:
    // Who opened the search: only for the editor does a double click choose
    // a voucher (the design's hidden marker `lblMemory`, "biglietti").
    enum class Caller { Editor, Other };
    TfrmTrovaBiglietti(QWidget* owner, const voucher::OpenArchive& archive, Caller caller);

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
    QLabel* lblAttendere;
    ui::Picture* imgSpiega;
    ui::Picture* icoTrova01;

    // The results panel, shown after a search.
    QWidget* panContainer;
    QLabel* lblTrovate;

    // The ten filter fields in the order of the filter table.
    QList<QLineEdit*> filterFields() const;

    void FormShow();
    void btnCercaClick();
    void btnStampaClick();

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
    // The filters the list shown was made with (their count was the design's
    // hidden `lblConta`).
    std::shared_ptr<const SearchFilters> listedBy_;
    Caller caller_;
};

} // namespace scontrix::lists
