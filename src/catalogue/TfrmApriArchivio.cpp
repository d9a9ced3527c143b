#include "catalogue/TfrmApriArchivio.h"

#include "catalogue/ArchiveCatalogue.h"
#include "catalogue/CatalogueTopic.h"
#include "guide/TfrmGuida.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCloseEvent>
#include <QLabel>
#include <QListWidget>

namespace scontrix::catalogue {

namespace {

using platform::MessageType;

const QString EmptyList = QStringLiteral("Attenzione: l'elenco non contiene nessun archivio.");

} // namespace

TfrmApriArchivio::TfrmApriArchivio()
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(995, 692),
                           ui::colours::windowBlue) {
    setObjectName(QStringLiteral("frmApriArchivio"));
    QWidget* pan = container();

    bkgSfondo02 = ui::makeRect(pan, "bkgSfondo02", {8, 8, 978, 676});
    bkgSfondo02->setFill(ui::colours::steelBlue);
    bkgSfondo01 = ui::makeRect(pan, "bkgSfondo01", {8, 8, 129, 124});
    icoIcona04 = ui::makePicture(pan, "icoIcona04", "catalogue_euro.svg", {22, 26, 92, 90});
    icoIstruzioni = ui::makePicture(pan, "icoIstruzioni", "open_banner.svg", {148, 16, 680, 114});
    bkgSfondo03 = ui::makeRect(pan, "bkgSfondo03", {8, 144, 978, 417});
    btnElimina = ui::makePicture(pan, "btnElimina", "catalogue_bin.svg", {24, 158, 43, 45}, true);
    icoMano = ui::makePicture(pan, "icoMano", "catalogue_hand.svg", {490, 148, 30, 58});
    imgGuida = ui::makePicture(pan, "imgGuida", "start_help.svg", {946, 156, 29, 28}, true);

    sfoBonificiEmessi = ui::makeRect(pan, "sfoBonificiEmessi", {24, 216, 946, 316});
    sfoBonificiEmessi->setFill(QColor(0xFF, 0xEB, 0xCD));
    sfoBonificiEmessi->setBorder(QColor(0xFF, 0xEB, 0xCD));

    lstFiles = new QListWidget(pan);
    lstFiles->setObjectName(QStringLiteral("lstFiles"));
    lstFiles->setGeometry(34, 224, 926, 298);
    lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lstFiles->setUniformItemSizes(true);
    lstFiles->setFont(ui::designFont(QStringLiteral("Courier New"), 14));

    lblCreati = new QLabel(pan);
    lblCreati->setObjectName(QStringLiteral("lblCreati"));
    ui::setDesignFont(lblCreati, QStringLiteral("Verdana"), 12, false, QColor(0x00, 0x80, 0x00));
    lblCreati->move(24, 537);

    bkgSfondo06 = ui::makeRect(pan, "bkgSfondo06", {30, 588, 934, 68});
    btnAnnulla = ui::makePicture(pan, "btnAnnulla", "button_annulla.svg", {44, 602, 258, 45}, true);
    btnApri = ui::makePicture(pan, "btnApri", "button_apri.svg", {694, 602, 258, 45}, true);

    btnElimina->setToolTip(QStringLiteral("Elimina l'archivio selezionato"));
    imgGuida->setToolTip(QStringLiteral("Guida all'utilizzo del software"));

    ui::nameControls({
        {icoIstruzioni, "Apertura archivio. Selezionare l'archivio di interesse nell'elenco "
                        "sottostante e premere il pulsante Apri archivio."},
        {btnElimina, "Elimina archivio", "Elimina l'archivio selezionato."},
        {imgGuida, "Guida", "Guida all'utilizzo del software."},
        {lstFiles, "Archivi esistenti"},
        {btnAnnulla, "Annulla", "Esce da questa schermata senza aprire un archivio."},
        {btnApri, "Apri archivio", "Apre l'archivio selezionato nella schermata di lavoro."},
    });

    connect(btnApri, &ui::Picture::clicked, this, &TfrmApriArchivio::btnApriClick);
    connect(btnElimina, &ui::Picture::clicked, this, &TfrmApriArchivio::btnEliminaClick);
    connect(btnAnnulla, &ui::Picture::clicked, this, &TfrmApriArchivio::btnAnnullaClick);
    connect(imgGuida, &ui::Picture::clicked, this, &TfrmApriArchivio::imgGuidaClick);
}

void TfrmApriArchivio::showEvent(QShowEvent* event) {
    ui::FullScreenWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmApriArchivio::FormShow() {
    toEditor_ = false;
    listArchives();
}

void TfrmApriArchivio::listArchives() {
    lstFiles->clear();
    const QColor black(0x00, 0x00, 0x00);
    for (const QString& name : listArchiveFiles(platform::ProgramFolder::current().path())) {
        auto* item = new QListWidgetItem(name, lstFiles);
        item->setForeground(black);
    }
    lstFiles->clearSelection();
    lstFiles->setCurrentRow(-1);
    lblCreati->setText(countText(lstFiles->count()));
    lblCreati->adjustSize();
}

QListWidgetItem* TfrmApriArchivio::selectedEntry() const {
    const QList<QListWidgetItem*> selected = lstFiles->selectedItems();
    return selected.isEmpty() ? nullptr : selected.first();
}

QListWidgetItem* TfrmApriArchivio::chosenEntry(const QString& nothingSelected) {
    auto& messages = platform::MessageBoxes::current();
    if (lstFiles->count() == 0) {
        messages.typed(this, MessageType::Warning, EmptyList);
        return nullptr;
    }
    QListWidgetItem* entry = selectedEntry();
    if (!entry)
        messages.typed(this, MessageType::Warning, nothingSelected);
    return entry;
}

void TfrmApriArchivio::btnApriClick() {
    QListWidgetItem* entry =
        chosenEntry(QStringLiteral("Attenzione: selezionare l'archivio dall'elenco prima di "
                                   "premere il pulsante Apri archivio."));
    if (!entry)
        return;
    toEditor_ = true;
    close();
}

void TfrmApriArchivio::btnEliminaClick() {
    QListWidgetItem* entry = chosenEntry(QStringLiteral(
        "Attenzione: selezionare dall'elenco l'archivio da eliminare prima di premere il pulsante "
        "del cestino."));
    if (!entry)
        return;
    auto& messages = platform::MessageBoxes::current();
    if (!messages.confirm(this,
                          QStringLiteral("Si sta per eliminare l'archivio selezionato. Si "
                                         "ricorda che il file eliminato non potrà essere "
                                         "recuperato.\r\n\r\nSi conferma l'eliminazione "
                                         "dell'archivio?"),
                          // Enter must not delete an archive for ever.
                          platform::DefaultAnswer::No))
        return;

    const QString fileName = entry->text();
    if (deleteArchive(platform::ProgramFolder::current().path(), fileName)) {
        messages.typed(this, MessageType::Information,
                       QStringLiteral("L'archivio è stato eliminato con successo."));
    } else {
        messages.typed(
            this, MessageType::Error,
            QStringLiteral("Attenzione: non è stato possibile eliminare l'archivio \"%1\".\r\n\r\n"
                           "Il file potrebbe essere già stato eliminato o spostato, essere in uso "
                           "da parte di un altro programma oppure trovarsi in una cartella "
                           "protetta da scrittura.")
                .arg(fileName));
    }
    toEditor_ = false;
    listArchives();
}

void TfrmApriArchivio::btnAnnullaClick() {
    close();
}

void TfrmApriArchivio::imgGuidaClick() {
    ui::openDialog<guide::TfrmGuida>(this, archivesTopic());
}

void TfrmApriArchivio::closeEvent(QCloseEvent* event) {
    event->accept();
    QListWidgetItem* entry = selectedEntry();
    if (toEditor_ && entry) {
        // The entry is the file name exactly as listed: trimming it could
        // name another file.
        emit archiveChosen(openArchive(platform::ProgramFolder::current().path(), entry->text()));
        return;
    }
    emit closedToStart();
}

} // namespace scontrix::catalogue
