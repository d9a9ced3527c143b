#include "catalogue/TfrmCreaArchivio.h"

#include "catalogue/ArchiveCatalogue.h"
#include "catalogue/CatalogueTopic.h"
#include "guide/TfrmGuida.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "storage/Text.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FieldBehaviours.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCloseEvent>
#include <QLineEdit>

namespace scontrix::catalogue {

namespace {

using platform::MessageType;

const QString AlreadyUsed = QStringLiteral(
    "Attenzione: il nome dell'archivio indicato è già stato utilizzato in precedenza.\r\n\r\n"
    "Inserire un nome diverso oppure, se si desidera gestire i buoni acquisto relativi a un "
    "archivio già creato, premere il pulsante Emissione buoni.");

QString refusedNameMessage(QChar refused) {
    const char16_t u = refused.unicode();
    QString what;
    if (u == u'\t')
        what = QStringLiteral("tabulazioni");
    else if (u == u'\r' || u == u'\n' || u == 0x2028 || u == 0x2029)
        what = QStringLiteral("ritorni a capo");
    else if (u < 0x20 || (u >= 0x7F && u <= 0x9F))
        what = QStringLiteral("caratteri di controllo");
    else
        what = QStringLiteral("il carattere \u00AB") + refused + QStringLiteral("\u00BB");
    return QStringLiteral("Attenzione: il nome dell'archivio non può contenere ") + what +
           QStringLiteral(".\r\n\r\nInserire un nome diverso.");
}

} // namespace

TfrmCreaArchivio::TfrmCreaArchivio()
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Creazione nuovo archivio"), QSize(995, 692),
                           ui::colours::windowBlue) {
    setObjectName(QStringLiteral("frmCreaArchivio"));
    QWidget* pan = container();

    bkgSfondo02 = ui::makeRect(pan, "bkgSfondo02", {8, 8, 978, 676});
    bkgSfondo02->setFill(ui::colours::steelBlue);
    bkgSfondo01 = ui::makeRect(pan, "bkgSfondo01", {8, 8, 129, 137});
    icoIcona04 = ui::makePicture(pan, "icoIcona04", "catalogue_euro.svg", {22, 32, 92, 90});
    icoIstruzioni = ui::makePicture(pan, "icoIstruzioni", "create_banner.svg", {154, 22, 660, 107});
    bkgSfondo03 = ui::makeRect(pan, "bkgSfondo03", {136, 144, 850, 190});
    bkgSfondo04 = ui::makeRect(pan, "bkgSfondo04", {136, 144, 282, 512});
    icoIcona02 = ui::makePicture(pan, "icoIcona02", "create_person.svg", {146, 154, 262, 492});
    imgGuida = ui::makePicture(pan, "imgGuida", "start_help.svg", {946, 152, 29, 28}, true);
    icoMano = ui::makePicture(pan, "icoMano", "catalogue_hand.svg", {692, 154, 30, 58});

    bkgFile = ui::makeRect(pan, "bkgFile", {418, 220, 566, 78});
    bkgFile->setFillGradient(ui::colours::steelBlue, Qt::white);

    txtFile = new QLineEdit(pan);
    txtFile->setObjectName(QStringLiteral("txtFile"));
    txtFile->setGeometry(438, 240, 526, 34);
    txtFile->setFont(ui::designFont(QStringLiteral("Verdana"), 16, true));
    txtFile->setMaxLength(MaxNameLength);
    ui::refuseCharacters(txtFile, isFilteredCharacter);
    // Enter stays in the field; the name is confirmed with "Applica e chiudi".
    ui::ignoreEnter(txtFile);
    ui::colourOnFocus(txtFile,
                      {ui::colours::aliceBlue, ui::colours::focusYellow, ui::colours::skyBlue, 4});

    bkgSfondo05 = ui::makeRect(pan, "bkgSfondo05", {424, 588, 554, 68});
    btnAnnulla =
        ui::makePicture(pan, "btnAnnulla", "button_annulla.svg", {436, 603, 258, 45}, true);
    btnApplica =
        ui::makePicture(pan, "btnApplica", "button_applica.svg", {710, 603, 258, 45}, true);

    imgGuida->setToolTip(QStringLiteral("Guida all'utilizzo del software"));

    ui::nameControls({
        {icoIstruzioni, "Creazione nuovo archivio. Indicare il nome del nuovo archivio nella "
                        "casella sottostante e fare clic su Applica e chiudi."},
        {txtFile, "Nome del nuovo archivio"},
        {imgGuida, "Guida", "Guida all'utilizzo del software."},
        {btnAnnulla, "Annulla", "Esce da questa schermata senza creare un nuovo archivio."},
        {btnApplica, "Applica e chiudi", "Crea il nuovo archivio e torna alla schermata iniziale."},
    });

    connect(btnApplica, &ui::Picture::clicked, this, &TfrmCreaArchivio::btnApplicaClick);
    connect(btnAnnulla, &ui::Picture::clicked, this, &TfrmCreaArchivio::btnAnnullaClick);
    connect(imgGuida, &ui::Picture::clicked, this, &TfrmCreaArchivio::imgGuidaClick);
}

void TfrmCreaArchivio::showEvent(QShowEvent* event) {
    ui::FullScreenWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmCreaArchivio::FormShow() {
    txtFile->clear();
    activateWindow();
    txtFile->setFocus();
}

void TfrmCreaArchivio::btnApplicaClick() {
    auto& messages = platform::MessageBoxes::current();
    const Creation created =
        createArchive(platform::ProgramFolder::current().path(), txtFile->text());
    switch (created.outcome) {
    case Creation::Outcome::Created:
        messages.typed(
            this, MessageType::Information,
            QStringLiteral("Il file relativo al nuovo archivio è stato creato con successo."
                           "\r\n\r\nE' ora possibile visualizzarlo nell'elenco degli "
                           "archivi esistenti premendo il pulsante Emissione buoni."));
        close();
        return;
    case Creation::Outcome::NoName:
        messages.typed(this, MessageType::Warning,
                       QStringLiteral("Attenzione: per creare un nuovo archivio è necessario "
                                      "indicare il suo nome."));
        break;
    case Creation::Outcome::RefusedCharacter:
        messages.typed(this, MessageType::Warning, refusedNameMessage(created.refused));
        break;
    case Creation::Outcome::NameTooLong:
        messages.typed(this, MessageType::Warning,
                       QStringLiteral("Attenzione: il nome dell'archivio è troppo lungo.\r\n\r\n"
                                      "Inserire un nome più breve."));
        break;
    case Creation::Outcome::NameInUse:
        // The name stays for the user to change; the focus stays where it is.
        messages.typed(this, MessageType::Warning, AlreadyUsed);
        return;
    case Creation::Outcome::Failed:
        messages.typed(
            this, MessageType::Error,
            QStringLiteral(
                "Attenzione: non è stato possibile creare l'archivio \"%1\".\r\n\r\n"
                "Verificare che la cartella del programma esista e non sia protetta da scrittura "
                "e che il nome non sia troppo lungo; quindi riprovare oppure inserire un nome "
                "diverso.")
                .arg(storage::trimControl(txtFile->text())));
        break;
    }
    txtFile->setFocus();
}

void TfrmCreaArchivio::btnAnnullaClick() {
    close();
}

void TfrmCreaArchivio::imgGuidaClick() {
    ui::openDialog<guide::TfrmGuida>(this, archivesTopic());
}

void TfrmCreaArchivio::closeEvent(QCloseEvent* event) {
    event->accept();
    // Any closing goes back to the start screen.
    emit closed();
}

} // namespace scontrix::catalogue
