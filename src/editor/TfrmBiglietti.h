#pragma once

#include "storage/Result.h"
#include "storage/VoucherFields.h"
#include "storage/VoucherRecord.h"
#include "ui/Windows.h"
#include "voucher/OpenArchive.h"

#include <QHash>
#include <QImage>
#include <array>
#include <memory>
#include <optional>

class QCheckBox;
class QFocusEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace scontrix::lists {
class TfrmRiepDaPagare;
class TfrmTrovaBiglietti;
} // namespace scontrix::lists
namespace scontrix::printing {
struct VoucherSheetData;
class TfrmAnteprimaBiglietto;
class TfrmStampaBiglietto;
} // namespace scontrix::printing
namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::editor {

// The working window of one archive: one voucher at a time in twelve fields, a
// cashed box and a logo, laid out as a mock-up of the printed voucher. The
// voucher is in its controls; the open archive, the voucher's position and
// where the logo came from are typed members. Its own windows (search,
// summary, print, preview, export, date picker) are given what they need when
// they are made and answer through signals or their result.
//
// The handlers are in TfrmBiglietti.cpp; the layout, the controls and the
// behaviour of the fields are set up in TfrmBigliettiLayout.cpp.
class TfrmBiglietti : public ui::FullScreenWindow {
    Q_OBJECT
public:
    TfrmBiglietti();

    // The archive's name in the name bar, and the shown voucher's position
    // (empty for a new one); both only show what archive() and position() hold.
    QLabel* lblNome;
    QLabel* lblPosizione;

    ui::Picture* cmdNuovo;
    ui::Picture* cmdSalva;
    ui::Picture* cmdTrova;
    ui::Picture* cmdAnteprima;
    ui::Picture* cmdStampa;
    ui::Picture* cmdPrimo;
    ui::Picture* cmdIndietro;
    ui::Picture* cmdAvanti;
    ui::Picture* cmdUltimo;
    ui::Picture* cmdExcel;
    ui::Picture* cmdNonPagati;
    ui::Picture* cmdGuida;
    ui::Picture* cmdEsci;

    QLineEdit* txtAcquirente;
    QLineEdit* txtVia;
    QLineEdit* txtCitta;
    QLineEdit* txtCel;
    QLineEdit* txtNum;
    QLineEdit* txtPrezzo;
    QLineEdit* txtSpettatore;
    QLineEdit* txtPosto;
    QLineEdit* txtEvento;
    QLineEdit* txtLuogo;
    QLineEdit* txtScritta;
    QLineEdit* txtNote;
    QCheckBox* chkPagato;

    ui::Picture* imgFoto;
    ui::Picture* imgBianco;
    ui::Picture* btnWhatsApp;
    QPushButton* btnFocus;
    QLabel* panInfo;

    // The twelve fields in record order.
    QList<QLineEdit*> recordFields() const;

    // Works on `archive` from the next showing on, as the selection window
    // hands it over; the showing loads its defaults and first logo.
    void openArchive(const voucher::OpenArchive& archive);
    const voucher::OpenArchive& archive() const { return archive_; }
    // The 1-based position of the voucher shown, none for a new voucher.
    std::optional<qint64> position() const { return position_; }

    // The voucher exactly as the controls show it now, saved or not: the
    // record a save would write (its flag from the cashed box) and the logo.
    struct OnScreen {
        storage::VoucherRecord record;
        QImage logo;
    };
    OnScreen voucherOnScreen() const;

    // The search and the unpaid summary as the toolbar opens them: over this
    // window, on its archive, a chosen voucher shown here.
    std::unique_ptr<lists::TfrmTrovaBiglietti> makeSearch();
    std::unique_ptr<lists::TfrmRiepDaPagare> makeUnpaidSummary();
    // The print and preview windows, given the voucher as it stands on screen.
    std::unique_ptr<printing::TfrmStampaBiglietto> makePrintWindow();
    std::unique_ptr<printing::TfrmAnteprimaBiglietto> makePreviewWindow();

    // Puts a stored voucher into the controls, as navigation, search and the
    // unpaid summary all do: fields, cashed box, position, then its logo.
    void showRecord(const storage::VoucherRecord& record, qint64 position);

    void FormShow();
    void cmdNuovoClick();
    void cmdSalvaClick();
    void cmdPrimoClick();
    void cmdIndietroClick();
    void cmdAvantiClick();
    void cmdUltimoClick();
    void cmdTrovaClick();
    void cmdAnteprimaClick();
    void cmdStampaClick();
    void cmdExcelClick();
    void cmdNonPagatiClick();
    void cmdGuidaClick();
    void cmdEsciClick();
    void imgFotoClick();
    void btnWhatsAppClick();
    void btnFocusClick();
    void txtEventoExit();

    // Show and store the logo of the voucher at position().
    void LoadVoucherLogo();
    void SaveVoucherLogo();
    void LoadArchiveDefaults();
    // Fails when the settings file cannot be read or written; the error says why.
    storage::Result<> SaveArchiveDefaults();

    // The placeholder logo of a voucher without one.
    QImage placeholder() const;

    static const QString AccessFailure;
    static const QString EmptyArchive;
    // The first line of the message of a logo that could not be saved; the
    // file's path and the reason follow.
    static const QString LogoNotSaved;

signals:
    // The editor was closed (its own Esci or the window system's) and its
    // defaults were saved or given up: back to the start screen.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // One row per text field, in record order: the control, what it holds
    // (storage::FieldNames gives the record field), the most characters the
    // user may type, and whether it is on the customer's side (idle colour
    // alice blue, else white).
    struct FieldRow {
        QLineEdit* TfrmBiglietti::*control;
        storage::Holds holds;
        int typingLimit;
        bool customerSide;
    };
    static const std::array<FieldRow, 12> FieldRows;

    void buildToolbar(QWidget* pan);
    void buildCustomerBlock(QWidget* pan);
    void buildVoucherBlock(QWidget* pan);
    void buildNotesAndStatus(QWidget* pan);
    void setUpFieldBehaviour();
    void connectActionsAndHints();

    // Navigation: shows the record at 1-based `position` of an open archive.
    enum class Step { First, Previous, Next, Last };
    void navigate(Step step);

    // Where the picture in imgFoto came from, which is what a save of the
    // voucher goes by: it writes a logo file only with a picture read from a
    // file or picked by the user, and never over the file that picture was
    // read from, nor over one it could not read. A new voucher keeps the
    // picture with its origin, so its first save writes it under its own name.
    struct ShownLogo {
        enum class Origin {
            None,       // nothing to show: the placeholder, which a save writes as the logo
            File,       // read from `file`, at its own size
            Unreadable, // `file` is there but gave no picture: the placeholder shows
            Picked,     // picked by the user, at its own size
        };
        Origin origin = Origin::None;
        QString file;
    };
    void showLogo(const ShownLogo& logo, const QImage& picture);
    // Shows what reading the logo file at `path` gave.
    void showLogoRead(const QString& path, const storage::Result<QImage>& read);
    QString voucherLogoPath() const;

    QString archivePath() const;
    QString archiveName() const;
    void reportAccessFailure();
    printing::VoucherSheetData sheetData() const;
    // The control showing the field that holds `holds`.
    QLineEdit* control(storage::Holds holds) const;
    void openDatePicker(QLineEdit* field);
    // True when the focus leaves a field for another control of the program,
    // not for a context menu or for another program.
    static bool leavesForAnotherControl(const QFocusEvent& event);

    // Shows `position` in lblPosizione too.
    void setPosition(std::optional<qint64> position);

    // The design's hidden labels lblFile, lblNome and lblFileIni.
    voucher::OpenArchive archive_;
    // The design's lblPosizione, which shows it.
    std::optional<qint64> position_;
    QHash<QObject*, QString> hints_;
    ShownLogo shownLogo_;
};

} // namespace scontrix::editor
