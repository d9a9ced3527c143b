#include "editor/TfrmBiglietti.h"

#include "editor/EditorTopic.h"
#include "editor/TfrmCalendario.h"
#include "editor/WhatsAppNotice.h"
#include "export/TfrmExpBiglietti.h"
#include "guide/Misc.h"
#include "guide/TfrmGuida.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "printing/VoucherSheet.h"
#include "storage/ArchiveFile.h"
#include "storage/ArchiveSideFiles.h"
#include "storage/LogoPicture.h"
#include "storage/Text.h"
#include "ui/BusyCursor.h"
#include "ui/Picture.h"
#include "voucher/Formats.h"
#include "voucher/Messages.h"
#include "voucher/ValueRule.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace scontrix::editor {

using platform::MessageType;

const QString TfrmBiglietti::AccessFailure = voucher::AccessFailure;
const QString TfrmBiglietti::EmptyArchive =
    QStringLiteral("L'archivio non contiene nessuna scheda.");
const QString TfrmBiglietti::LogoNotSaved =
    QStringLiteral("Attenzione: non è stato possibile salvare il logo del buono acquisto nel file");

// ---------------------------------------------------------------- paths

QString TfrmBiglietti::archivePath() const {
    return archive_.path;
}

QString TfrmBiglietti::archiveName() const {
    return archive_.name;
}

void TfrmBiglietti::openArchive(const voucher::OpenArchive& archive) {
    archive_ = archive;
    lblNome->setText(archive.name);
}

QLineEdit* TfrmBiglietti::control(storage::Holds holds) const {
    const FieldRow& row = FieldRows[static_cast<std::size_t>(holds)];
    Q_ASSERT(row.holds == holds); // FieldRows is in record order, as Holds is
    return this->*row.control;
}

void TfrmBiglietti::setPosition(std::optional<qint64> position) {
    position_ = position;
    lblPosizione->setText(position ? QString::number(*position) : QString());
}

TfrmBiglietti::OnScreen TfrmBiglietti::voucherOnScreen() const {
    OnScreen shown;
    for (const FieldRow& row : FieldRows)
        shown.record.setText(storage::recordField(row.holds), (this->*row.control)->text());
    shown.record.pagato = chkPagato->isChecked();
    shown.logo = imgFoto->image();
    return shown;
}

void TfrmBiglietti::reportAccessFailure() {
    platform::MessageBoxes::current().typed(this, MessageType::Error, AccessFailure);
}

// ---------------------------------------------------------------- side files

QString TfrmBiglietti::voucherLogoPath() const {
    return storage::logoPath(platform::ProgramFolder::current().path(), archiveName(),
                             position_ ? QString::number(*position_) : QString());
}

void TfrmBiglietti::showLogo(const ShownLogo& logo, const QImage& picture) {
    shownLogo_ = logo;
    imgFoto->setImage(picture);
}

void TfrmBiglietti::showLogoRead(const QString& path, const storage::Result<QImage>& read) {
    if (!read)
        showLogo({ShownLogo::Origin::Unreadable, path}, imgBianco->image());
    else if (read->isNull())
        showLogo({ShownLogo::Origin::None, {}}, imgBianco->image());
    else
        showLogo({ShownLogo::Origin::File, path}, *read);
}

void TfrmBiglietti::LoadVoucherLogo() {
    const QString path = voucherLogoPath();
    showLogoRead(path, storage::loadLogo(path));
}

void TfrmBiglietti::SaveVoucherLogo() {
    const QString path = voucherLogoPath();
    switch (shownLogo_.origin) {
    case ShownLogo::Origin::File:
    case ShownLogo::Origin::Unreadable:
        // The file holds the picture already, or one the program cannot
        // read: either way it stays byte for byte as it is.
        if (shownLogo_.file == path)
            return;
        break;
    case ShownLogo::Origin::None:
    case ShownLogo::Origin::Picked:
        break;
    }
    // imgFoto holds the picture as it was read, at its own size.
    const storage::Result<> saved = storage::saveLogo(path, imgFoto->image());
    if (!saved) {
        // The file is as it was; the picture stays on screen with its
        // origin, so the next save writes it.
        platform::MessageBoxes::current().typed(
            this, MessageType::Error,
            LogoNotSaved + QStringLiteral("\n%1\n%2").arg(path, saved.error()));
        return;
    }
    shownLogo_ = {ShownLogo::Origin::File, path};
}

void TfrmBiglietti::LoadArchiveDefaults() {
    const storage::Result<storage::ArchiveDefaults> read =
        storage::loadArchiveDefaults(archive_.settingsPath);
    if (!read) {
        // Something is there that cannot be read: the values shown stay, and
        // closing will not write over what the file holds.
        platform::MessageBoxes::current().typed(
            this, MessageType::Warning,
            QStringLiteral("Attenzione: non è stato possibile leggere i dati proposti per il "
                           "prossimo buono dal file\n%1\n%2\n\nIl file non verrà modificato.")
                .arg(archive_.settingsPath, read.error()));
        return;
    }
    for (const storage::Holds holds : storage::DefaultFields)
        control(holds)->setText((*read)[holds]);
}

storage::Result<> TfrmBiglietti::SaveArchiveDefaults() {
    return storage::saveArchiveDefaults(archive_.settingsPath,
                                        storage::VoucherTexts(voucherOnScreen().record));
}

// ---------------------------------------------------------------- show and close

void TfrmBiglietti::showEvent(QShowEvent* event) {
    ui::FullScreenWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmBiglietti::FormShow() {
    for (QLineEdit* f : {txtNum, txtAcquirente, txtVia, txtCitta, txtCel, txtPosto, txtNote})
        f->clear();
    chkPagato->setChecked(false);
    setPosition(std::nullopt);
    activateWindow();
    txtAcquirente->setFocus();

    // One guarded unit: the archive's defaults are read only when its first
    // voucher's picture exists, that is once something has been saved in it.
    const QString firstLogo = storage::logoPath(platform::ProgramFolder::current().path(),
                                                archiveName(), QStringLiteral("1"));
    const storage::Result<QImage> logo = storage::loadLogo(firstLogo);
    showLogoRead(firstLogo, logo);
    if (logo && !logo->isNull()) {
        LoadArchiveDefaults();
        return;
    }
    for (QLineEdit* f : recordFields())
        f->clear();
    chkPagato->setChecked(false);
    setPosition(std::nullopt);
}

void TfrmBiglietti::cmdEsciClick() {
    close();
}

void TfrmBiglietti::closeEvent(QCloseEvent* event) {
    if (const storage::Result<> saved = SaveArchiveDefaults(); !saved) {
        // The defaults are only what the next voucher is offered; every
        // voucher is in the archive already. So the user decides whether to
        // stay (and free the disk, say) or to leave without them, rather than
        // being held in the editor by a file that cannot be written.
        const bool leave = platform::MessageBoxes::current().confirm(
            this,
            QStringLiteral("Attenzione: non è stato possibile salvare i dati proposti per il "
                           "prossimo buono nel file\n%1\n%2\n\nI buoni acquisto salvati restano "
                           "in archivio. Uscire comunque?")
                .arg(archive_.settingsPath, saved.error()),
            platform::DefaultAnswer::No);
        if (!leave) {
            event->ignore();
            return;
        }
    }
    event->accept();
    emit closed();
}

// ---------------------------------------------------------------- record display

void TfrmBiglietti::showRecord(const storage::VoucherRecord& record, qint64 position) {
    for (const FieldRow& row : FieldRows)
        (this->*row.control)->setText(record.text(storage::recordField(row.holds)));
    if (record.pagatoText == storage::VoucherRecord::flagYes())
        chkPagato->setChecked(true);
    else if (record.pagatoText == storage::VoucherRecord::flagNo())
        chkPagato->setChecked(false);
    setPosition(position);
    LoadVoucherLogo();
}

void TfrmBiglietti::navigate(Step step) {
    storage::ArchiveFile archive;
    if (!archive.open(archivePath())) {
        reportAccessFailure();
        return;
    }
    const storage::Result<qint64> count = archive.count();
    if (!count) {
        reportAccessFailure();
        return;
    }
    const qint64 n = *count;
    const qint64 p = position_.value_or(0);
    qint64 target = 0;
    switch (step) {
    case Step::First:
    case Step::Last:
        if (n == 0) {
            archive.close();
            platform::MessageBoxes::current().typed(this, MessageType::Information, EmptyArchive);
            return;
        }
        target = step == Step::First ? 1 : n;
        break;
    case Step::Next:
        if (n == 0) {
            setPosition(std::nullopt);
            archive.close();
            platform::MessageBoxes::current().typed(this, MessageType::Information, EmptyArchive);
            return;
        }
        if (p >= n)
            return;
        target = p + 1;
        break;
    case Step::Previous:
        if (position_ == 1)
            return;
        if (n == 0) {
            archive.close();
            platform::MessageBoxes::current().typed(this, MessageType::Information, EmptyArchive);
            return;
        }
        target = (!position_ || *position_ == 2) ? 1 : p - 1;
        break;
    }
    // A position beyond the archive (it never holds one the editor did not
    // write) would be a read past the end: the access failure says so.
    const storage::Result<storage::VoucherRecord> record =
        target >= 1 && archive.seek(target - 1) ? archive.read()
                                                : storage::Failure{QStringLiteral("no record")};
    if (!record) {
        reportAccessFailure();
        return;
    }
    const qint64 position = archive.position();
    archive.close();
    showRecord(*record, position);
}

void TfrmBiglietti::cmdPrimoClick() {
    navigate(Step::First);
}

void TfrmBiglietti::cmdIndietroClick() {
    navigate(Step::Previous);
}

void TfrmBiglietti::cmdAvantiClick() {
    navigate(Step::Next);
}

void TfrmBiglietti::cmdUltimoClick() {
    navigate(Step::Last);
}

void TfrmBiglietti::cmdNuovoClick() {
    txtNum->clear();
    storage::ArchiveFile archive;
    if (!archive.open(archivePath()))
        return;
    const storage::Result<qint64> n = archive.count();
    if (!n)
        return;
    for (QLineEdit* f : {txtAcquirente, txtVia, txtCitta, txtCel, txtPosto, txtNote})
        f->clear();
    chkPagato->setChecked(false);
    setPosition(std::nullopt);
    txtNum->setText(QString::number(*n + 1));
    archive.close();
    txtAcquirente->setFocus();
}

// ---------------------------------------------------------------- saving

void TfrmBiglietti::cmdSalvaClick() {
    btnFocus->setFocus();

    const std::pair<QLineEdit*, const char*> required[] = {
        {txtAcquirente, "il nome del cliente"},
        {txtNum, "il numero del buono acquisto"},
        {txtPrezzo, "la data di inizio validità del buono acquisto"},
        {txtSpettatore, "la data di scadenza del buono acquisto"},
        {txtPosto, "il beneficiario del buono acquisto"},
        {txtEvento, "il valore del buono acquisto"},
        {txtLuogo, "dove può essere utilizzato il buono acquisto"},
        {txtScritta, "le condizioni di utilizzo del buono acquisto"},
    };
    for (const auto& [field, what] : required) {
        if (storage::trimControl(field->text()).isEmpty()) {
            platform::MessageBoxes::current().typed(
                this, MessageType::Warning,
                QStringLiteral("Attenzione: per salvare la scheda è necessario indicare ") +
                    QString::fromUtf8(what) + u'.');
            field->setFocus();
            return;
        }
    }

    const storage::VoucherRecord record = voucherOnScreen().record;

    storage::ArchiveFile archive;
    if (!archive.open(archivePath())) {
        reportAccessFailure();
        return;
    }
    const bool updating = position_.has_value();
    const storage::Result<qint64> position = [&] {
        // Another copy of the program may be saving into the archive; the
        // write waits a few seconds for it at most, and the wait shows.
        const ui::BusyCursor busy;
        return updating ? archive.update(*position_, record) : archive.append(record);
    }();
    if (!position) {
        reportAccessFailure();
        return;
    }
    setPosition(*position);
    archive.close();
    SaveVoucherLogo();
    platform::MessageBoxes::current().typed(
        this, MessageType::Information,
        updating
            ? QStringLiteral(
                  "Le modifiche apportate alla scheda corrente sono state salvate in archivio.")
            : QStringLiteral("La scheda corrente è stata inserita in archivio."));
}

void TfrmBiglietti::btnFocusClick() {
    txtAcquirente->setText(storage::trimControl(txtAcquirente->text()));
}

// ---------------------------------------------------------------- toolbar windows

std::unique_ptr<lists::TfrmTrovaBiglietti> TfrmBiglietti::makeSearch() {
    auto search = std::make_unique<lists::TfrmTrovaBiglietti>(
        this, archive_, lists::TfrmTrovaBiglietti::Caller::Editor);
    connect(search.get(), &lists::ListWindow::voucherChosen, this, &TfrmBiglietti::showRecord);
    return search;
}

std::unique_ptr<lists::TfrmRiepDaPagare> TfrmBiglietti::makeUnpaidSummary() {
    auto summary = std::make_unique<lists::TfrmRiepDaPagare>(this, archive_);
    connect(summary.get(), &lists::ListWindow::voucherChosen, this, &TfrmBiglietti::showRecord);
    return summary;
}

void TfrmBiglietti::cmdTrovaClick() {
    makeSearch()->exec();
}

std::unique_ptr<printing::TfrmStampaBiglietto> TfrmBiglietti::makePrintWindow() {
    return std::make_unique<printing::TfrmStampaBiglietto>(this, sheetData());
}

std::unique_ptr<printing::TfrmAnteprimaBiglietto> TfrmBiglietti::makePreviewWindow() {
    return std::make_unique<printing::TfrmAnteprimaBiglietto>(this, sheetData());
}

void TfrmBiglietti::cmdAnteprimaClick() {
    makePreviewWindow()->exec();
}

void TfrmBiglietti::cmdStampaClick() {
    makePrintWindow()->exec();
}

void TfrmBiglietti::cmdExcelClick() {
    ui::openDialog<exporting::TfrmExpBiglietti>(this, archive_);
}

void TfrmBiglietti::cmdNonPagatiClick() {
    makeUnpaidSummary()->exec();
}

// What the voucher sheet prints: the voucher exactly as the editor shows it
// now, saved or not.
printing::VoucherSheetData TfrmBiglietti::sheetData() const {
    const OnScreen shown = voucherOnScreen();
    return {shown.logo, storage::VoucherTexts(shown.record)};
}

void TfrmBiglietti::cmdGuidaClick() {
    ui::openDialog<guide::TfrmGuida>(this, editorTopic());
}

// ---------------------------------------------------------------- logo and WhatsApp

void TfrmBiglietti::imgFotoClick() {
    const QString file = platform::FileDialogs::current().openFile(
        this, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (file.isEmpty())
        return;
    const storage::Result<QImage> picture = storage::readPicture(file);
    if (!picture)
        return; // a file that is no picture leaves the picture as it was
    if (picture->isNull())
        showLogo({ShownLogo::Origin::None, {}}, imgBianco->image()); // the file has gone
    else
        showLogo({ShownLogo::Origin::Picked, {}}, *picture);
}

void TfrmBiglietti::btnWhatsAppClick() {
    const std::pair<QLineEdit*, const char*> required[] = {
        {txtCel, "il numero di cellulare del cliente"},
        {txtNum, "il numero del buono acquisto"},
        {txtEvento, "il valore del buono acquisto"},
        {txtScritta, "le condizioni di utilizzo del buono"},
    };
    for (const auto& [field, what] : required) {
        if (storage::trimControl(field->text()).isEmpty()) {
            platform::MessageBoxes::current().typed(
                this, MessageType::Warning,
                QStringLiteral("Attenzione: per inviare il messaggio tramite WhatsApp è necessario "
                               "indicare ") +
                    QString::fromUtf8(what) + u'.');
            field->setFocus();
            return;
        }
    }
    guide::TMisc::Open(whatsAppLink(storage::VoucherTexts(voucherOnScreen().record)));
}

// ---------------------------------------------------------------- typing

bool TfrmBiglietti::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtEvento) {
        if (event->type() == QEvent::FocusOut &&
            leavesForAnotherControl(*static_cast<QFocusEvent*>(event)))
            txtEventoExit();
        return ui::FullScreenWindow::eventFilter(watched, event);
    }
    if (event->type() == QEvent::Enter) {
        if (const auto hint = hints_.constFind(watched); hint != hints_.cend())
            panInfo->setText(*hint);
    } else if (event->type() == QEvent::MouseMove && !hints_.contains(watched)) {
        // Over the background, the container, the voucher panel and the
        // decorations the status line goes blank.
        panInfo->clear();
    }
    return ui::FullScreenWindow::eventFilter(watched, event);
}

bool TfrmBiglietti::leavesForAnotherControl(const QFocusEvent& event) {
    switch (event.reason()) {
    case Qt::PopupFocusReason:
    case Qt::MenuBarFocusReason:
        // A context menu opening over the field: its Paste is still to come.
        return false;
    case Qt::ActiveWindowFocusReason:
        // Another window of the program (a dialog it opens) takes the focus
        // from the field; another program leaves the program without an
        // active window, and the field gets the focus back on return.
        return QApplication::activeWindow() != nullptr;
    default:
        return true;
    }
}

void TfrmBiglietti::openDatePicker(QLineEdit* field) {
    TfrmCalendario picker(this);
    if (picker.exec() == QDialog::Accepted)
        field->setText(voucher::Formats::formatDate(picker.pickedDate()));
}

// Its idle colour comes back by itself (ui::colourOnFocus).
void TfrmBiglietti::txtEventoExit() {
    txtEvento->setText(voucher::formatVoucherValue(txtEvento->text()));
}

} // namespace scontrix::editor
