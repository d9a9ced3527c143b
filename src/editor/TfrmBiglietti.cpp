#include "editor/TfrmBiglietti.h"

#include "app/Misc.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmGuida.h"
#include "app/WindowSet.h"
#include "editor/EditorTopic.h"
#include "editor/TfrmCalendario.h"
#include "editor/ValueRule.h"
#include "editor/WhatsAppNotice.h"
#include "export/TfrmExpBiglietti.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "storage/ArchiveFile.h"
#include "storage/ArchiveSideFiles.h"
#include "storage/LogoPicture.h"
#include "storage/Text.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>
#include <QValidator>

namespace scontrix::editor {

using platform::MessageType;

const QString TfrmBiglietti::AccessFailure =
    QStringLiteral("Attenzione: il sistema non permette di accedere all'archivio.") +
    QStringLiteral("\n\r\n\r") +
    QStringLiteral(
        "Accertarsi di possedere i privilegi di scrittura nella cartella di installazione "
        "del programma.");
const QString TfrmBiglietti::EmptyArchive =
    QStringLiteral("L'archivio non contiene nessuna scheda.");

namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor MediumBlue(0x00, 0x00, 0xCD);
const QColor WorkArea(0xC8, 0xD6, 0xE3);
const QColor VoucherYellow(0xF9, 0xF9, 0xCB);
const QColor ValueOrange(0xFE, 0xD2, 0x83);
const QColor BandOrange(0xF5, 0x9E, 0x2B);
const QColor Crimson(0xDC, 0x14, 0x3C);

QLabel* makeCaption(QWidget* parent, const QString& text, QPoint at,
                    const QColor& colour = Qt::black) {
    auto* label = new QLabel(text, parent);
    ui::setDesignFont(label, QStringLiteral("Verdana"), 8.5, false, colour);
    label->move(at);
    label->adjustSize();
    // Passing over a caption leaves the status line as it is.
    label->setAttribute(Qt::WA_NoMousePropagation);
    return label;
}

QLineEdit* makeField(QWidget* parent, const char* name, QRect geometry) {
    auto* field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setGeometry(geometry);
    ui::setDesignFont(field, QStringLiteral("Verdana"), 12, true, Qt::black);
    field->setAttribute(Qt::WA_NoMousePropagation);
    return field;
}

// Refuses typing or pasting past the field's entry limit.
class TypingLimit final : public QValidator {
public:
    TypingLimit(int limit, QObject* parent) : QValidator(parent), limit_(limit) {}
    State validate(QString& input, int&) const override {
        return input.size() <= limit_ ? Acceptable : Invalid;
    }

private:
    int limit_;
};

} // namespace

TfrmBiglietti::TfrmBiglietti(app::WindowSet& windows)
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(994, 692),
                           ui::colours::windowBlue),
      windows_(windows) {
    setObjectName(QStringLiteral("frmBiglietti"));
    QWidget* pan = container();
    pan->setMouseTracking(true);
    pan->installEventFilter(this);

    auto* backdrop = new ui::ShapeRect(pan);
    backdrop->setObjectName(QStringLiteral("shpSfondo"));
    backdrop->setGeometry(8, 8, 978, 675);
    backdrop->setFillGradient(ui::colours::windowBlue, Qt::white);
    backdrop->setBorder(Qt::white);

    lblFile = new QLabel(pan);
    lblFile->setObjectName(QStringLiteral("lblFile"));
    lblFile->hide();
    lblFileIni = new QLabel(pan);
    lblFileIni->setObjectName(QStringLiteral("lblFileIni"));
    lblFileIni->hide();

    buildToolbar(pan);
    buildCustomerBlock(pan);
    buildVoucherBlock(pan);
    buildNotesAndStatus(pan);
    setUpFieldBehaviour();

    // Out of sight but able to take the focus: saving moves the focus here
    // first, so that the field being edited finishes its own work (the value
    // is formatted on leaving its field) before the record is built.
    btnFocus = new QPushButton(pan);
    btnFocus->setObjectName(QStringLiteral("btnFocus"));
    btnFocus->setGeometry(0, 0, 0, 0);
    btnFocus->setFocusPolicy(Qt::StrongFocus);
    connect(btnFocus, &QPushButton::clicked, this, &TfrmBiglietti::btnFocusClick);

    const std::pair<ui::Picture*, void (TfrmBiglietti::*)()> actions[] = {
        {cmdNuovo, &TfrmBiglietti::cmdNuovoClick},
        {cmdSalva, &TfrmBiglietti::cmdSalvaClick},
        {cmdTrova, &TfrmBiglietti::cmdTrovaClick},
        {cmdAnteprima, &TfrmBiglietti::cmdAnteprimaClick},
        {cmdStampa, &TfrmBiglietti::cmdStampaClick},
        {cmdPrimo, &TfrmBiglietti::cmdPrimoClick},
        {cmdIndietro, &TfrmBiglietti::cmdIndietroClick},
        {cmdAvanti, &TfrmBiglietti::cmdAvantiClick},
        {cmdUltimo, &TfrmBiglietti::cmdUltimoClick},
        {cmdExcel, &TfrmBiglietti::cmdExcelClick},
        {cmdNonPagati, &TfrmBiglietti::cmdNonPagatiClick},
        {cmdGuida, &TfrmBiglietti::cmdGuidaClick},
        {cmdEsci, &TfrmBiglietti::cmdEsciClick},
        {imgFoto, &TfrmBiglietti::imgFotoClick},
        {btnWhatsApp, &TfrmBiglietti::btnWhatsAppClick},
    };
    for (const auto& [picture, handler] : actions)
        connect(picture, &ui::Picture::clicked, this, handler);

    const std::pair<QWidget*, const char*> hints[] = {
        {cmdNuovo, "Prepara la schermata per la registrazione di una nuova scheda."},
        {cmdSalva, "Salva la scheda in archivio."},
        {cmdTrova, "Trova buoni acquisto in archivio."},
        {cmdAnteprima, "Visualizza l'anteprima di stampa del buono acquisto corrente."},
        {cmdStampa, "Stampa il buono acquisto corrente."},
        {cmdPrimo, "Visualizza la prima scheda in archivio."},
        {cmdIndietro, "Visualizza la scheda precedente in archivio."},
        {cmdAvanti, "Visualizza la scheda successiva in archivio."},
        {cmdUltimo, "Visualizza l'ultima scheda in archivio."},
        {cmdExcel, "Esporta i buoni acquisto in archivio in un file di Excel."},
        {cmdNonPagati, "Visualizza il riepilogo dei buoni acquisto non ancora incassati."},
        {cmdGuida, "Visualizza la guida in linea."},
        {cmdEsci, "Esci da questa schermata di lavoro."},
        {imgFoto, "Carica il logo della ditta selezionando un'immagine di forma quadrata."},
        {chkPagato, "Spunta questa casella per annotare che il buono acquisto è stato incassato."},
        {btnWhatsApp, "Invia all'acquirente un messaggio di WhatsApp a conferma dell'emissione del "
                      "buono acquisto."},
    };
    for (const auto& [widget, hint] : hints) {
        hints_.insert(widget, QString::fromUtf8(hint));
        widget->installEventFilter(this);
        widget->setAttribute(Qt::WA_NoMousePropagation);
    }
}

void TfrmBiglietti::buildToolbar(QWidget* pan) {
    const QRect boxes[] = {{16, 16, 132, 57},  {154, 16, 162, 57}, {322, 16, 162, 57},
                           {490, 16, 276, 57}, {772, 16, 50, 57},  {828, 16, 50, 57},
                           {884, 16, 94, 57}};
    for (const QRect& box : boxes)
        ui::makeRect(pan, nullptr, box, Qt::white, Qt::white);

    auto square = [](int x) { return QRect(x, 26, 37, 39); };
    cmdNuovo = ui::makePicture(pan, "cmdNuovo", "editor_nuovo.svg", square(24), true);
    cmdSalva = ui::makePicture(pan, "cmdSalva", "editor_salva.svg", square(64), true);
    cmdTrova = ui::makePicture(pan, "cmdTrova", "editor_trova.svg", square(104), true);
    cmdAnteprima =
        ui::makePicture(pan, "cmdAnteprima", "editor_anteprima.svg", {161, 28, 148, 32}, true);
    cmdStampa = ui::makePicture(pan, "cmdStampa", "editor_stampa.svg", {329, 28, 148, 32}, true);
    cmdPrimo = ui::makePicture(pan, "cmdPrimo", "editor_primo.svg", square(498), true);
    cmdIndietro = ui::makePicture(pan, "cmdIndietro", "editor_indietro.svg", square(540), true);
    cmdAvanti = ui::makePicture(pan, "cmdAvanti", "editor_avanti.svg", square(680), true);
    cmdUltimo = ui::makePicture(pan, "cmdUltimo", "editor_ultimo.svg", square(722), true);
    cmdExcel = ui::makePicture(pan, "cmdExcel", "editor_excel.svg", square(780), true);
    cmdNonPagati = ui::makePicture(pan, "cmdNonPagati", "editor_nonpagati.svg", square(835), true);
    cmdGuida = ui::makePicture(pan, "cmdGuida", "editor_guida.svg", square(892), true);
    cmdEsci = ui::makePicture(pan, "cmdEsci", "editor_esci.svg", square(934), true);

    lblPosizione = new QLabel(pan);
    lblPosizione->setObjectName(QStringLiteral("lblPosizione"));
    lblPosizione->setGeometry(576, 34, 104, 24);
    lblPosizione->setAlignment(Qt::AlignCenter);
    ui::setDesignFont(lblPosizione, QStringLiteral("Verdana"), 12, true, Navy);
    lblPosizione->setAttribute(Qt::WA_NoMousePropagation);
}

void TfrmBiglietti::buildCustomerBlock(QWidget* pan) {
    ui::makeRect(pan, "shpLavoro", {16, 80, 962, 554}, WorkArea, WorkArea);

    ui::makeRect(pan, "shpNome", {24, 88, 946, 32}, MediumBlue, Qt::yellow);
    lblNome = new QLabel(QStringLiteral("Nome archivio"), pan);
    lblNome->setObjectName(QStringLiteral("lblNome"));
    lblNome->setGeometry(26, 90, 942, 28);
    lblNome->setAlignment(Qt::AlignCenter);
    ui::setDesignFont(lblNome, QStringLiteral("Verdana"), 12, true, Qt::yellow);

    ui::makeRect(pan, "shpCliente", {24, 128, 946, 64}, Qt::white, Qt::white);
    auto* icoCliente = ui::makePicture(pan, "icoCliente", "editor_cliente.svg", {32, 134, 52, 52});
    icoCliente->setAttribute(Qt::WA_NoMousePropagation);

    makeCaption(pan, QStringLiteral("Cliente:"), {94, 138});
    txtAcquirente = makeField(pan, "txtAcquirente", {94, 156, 196, 22});
    makeCaption(pan, QStringLiteral("Via e numero civico:"), {298, 138});
    txtVia = makeField(pan, "txtVia", {298, 156, 220, 22});
    makeCaption(pan, QStringLiteral("Città:"), {526, 138});
    txtCitta = makeField(pan, "txtCitta", {526, 156, 182, 22});
    makeCaption(pan, QStringLiteral("Cellulare:"), {716, 138});
    txtCel = makeField(pan, "txtCel", {716, 156, 131, 22});
    btnWhatsApp =
        ui::makePicture(pan, "btnWhatsApp", "editor_whatsapp.svg", {854, 156, 104, 22}, true);
}

void TfrmBiglietti::buildVoucherBlock(QWidget* pan) {
    ui::makeRect(pan, "shpBuono", {24, 199, 946, 354}, Qt::white, Qt::white);

    // The voucher panel: its own coordinates, as on the printed voucher.
    auto* voucher = new QWidget(pan);
    voucher->setObjectName(QStringLiteral("panBuono"));
    voucher->setGeometry(32, 208, 930, 336);
    voucher->setMouseTracking(true);
    voucher->installEventFilter(this);

    ui::makeRect(voucher, "shpCornice", {0, 0, 930, 336}, VoucherYellow, BandOrange);
    auto* top = ui::makeRect(voucher, "shpBandaAlta", {0, 0, 930, 30}, BandOrange, BandOrange);
    top->setFillGradient(QColor(0xFB, 0x8C, 0x00), BandOrange);
    auto* bottom =
        ui::makeRect(voucher, "shpBandaBassa", {0, 306, 930, 30}, BandOrange, BandOrange);
    bottom->setFillGradient(BandOrange, QColor(0xFB, 0x8C, 0x00));

    imgBianco = new ui::Picture(voucher);
    imgBianco->setObjectName(QStringLiteral("imgBianco"));
    imgBianco->setGeometry(26, 46, 244, 244);
    imgBianco->setImage(placeholder());
    imgBianco->hide();

    imgFoto = new ui::Picture(voucher);
    imgFoto->setObjectName(QStringLiteral("imgFoto"));
    imgFoto->setGeometry(26, 46, 244, 244);
    imgFoto->setScaling(ui::Picture::Scaling::Fit);
    imgFoto->setClickable(true);
    imgFoto->setImage(imgBianco->image());

    makeCaption(voucher, QStringLiteral("Numero:"), {296, 46}, Navy);
    txtNum = makeField(voucher, "txtNum", {296, 64, 100, 22});
    txtNum->setAlignment(Qt::AlignCenter);
    makeCaption(voucher, QStringLiteral("Inizio validità:"), {406, 46}, Navy);
    txtPrezzo = makeField(voucher, "txtPrezzo", {406, 64, 120, 22});
    makeCaption(voucher, QStringLiteral("Fine validità:"), {536, 46}, Navy);
    txtSpettatore = makeField(voucher, "txtSpettatore", {536, 64, 120, 22});
    makeCaption(voucher, QStringLiteral("Beneficiario:"), {666, 46}, Navy);
    txtPosto = makeField(voucher, "txtPosto", {666, 64, 222, 22});

    ui::makeRect(voucher, "shpValore", {296, 104, 592, 137}, ValueOrange, ValueOrange);
    auto* icoValore =
        ui::makePicture(voucher, "icoValore", "editor_valore.svg", {299, 125, 320, 36});
    icoValore->setAttribute(Qt::WA_NoMousePropagation);
    txtEvento = makeField(voucher, "txtEvento", {624, 124, 246, 40});
    // The design's 28 points are measured on a face with tighter line spacing
    // than its stand-in: 24 points is the largest that still fits the box.
    ui::setDesignFont(txtEvento, QStringLiteral("Arial"), 24, true, Crimson);
    txtEvento->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    makeCaption(voucher, QStringLiteral("Spendibile presso:"), {314, 178}, Navy);
    txtLuogo = makeField(voucher, "txtLuogo", {314, 196, 556, 28});
    ui::setDesignFont(txtLuogo, QStringLiteral("Arial"), 20, true, Qt::black);

    makeCaption(voucher, QStringLiteral("Condizioni di utilizzo:"), {296, 250}, Navy);
    txtScritta = makeField(voucher, "txtScritta", {296, 268, 592, 22});
}

void TfrmBiglietti::buildNotesAndStatus(QWidget* pan) {
    ui::makeRect(pan, "shpNote", {24, 560, 946, 64}, Qt::white, Qt::white);
    makeCaption(pan, QStringLiteral("Note:"), {36, 570});
    txtNote = makeField(pan, "txtNote", {36, 588, 766, 22});

    auto* tick = ui::makePicture(pan, "icoSpunta", "editor_spunta.svg", {820, 580, 32, 32});
    tick->setAttribute(Qt::WA_TransparentForMouseEvents); // passing over it empties the status line
    chkPagato = new QCheckBox(QStringLiteral("Incassato"), pan);
    chkPagato->setObjectName(QStringLiteral("chkPagato"));
    chkPagato->move(860, 586);
    ui::setDesignFont(chkPagato, QStringLiteral("Verdana"), 10, true, Navy);
    chkPagato->adjustSize();

    auto* status = ui::makeRect(pan, "shpStato", {16, 642, 962, 32}, MediumBlue, Qt::yellow);
    status->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    status->setAttribute(Qt::WA_NoMousePropagation);
    panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), pan);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(22, 646, 950, 24);
    ui::setDesignFont(panInfo, QStringLiteral("Tahoma"), 12, false, Qt::white);
    panInfo->setAttribute(Qt::WA_NoMousePropagation);

    const QList<QWidget*> order = {txtAcquirente, txtVia,        txtCitta, txtCel,    txtNum,
                                   txtPrezzo,     txtSpettatore, txtPosto, txtEvento, txtLuogo,
                                   txtScritta,    txtNote,       chkPagato};
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
}

QList<QLineEdit*> TfrmBiglietti::recordFields() const {
    return fields_;
}

QImage TfrmBiglietti::placeholder() const {
    QImage image(244, 244, QImage::Format_RGB32);
    image.fill(Qt::white);
    QSvgRenderer svg(QStringLiteral(":/artwork/editor_placeholder.svg"));
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    return image;
}

// ---------------------------------------------------------------- paths

QString TfrmBiglietti::archivePath() const {
    return storage::trimControl(lblFile->text());
}

QString TfrmBiglietti::archiveName() const {
    return storage::trimControl(lblNome->text());
}

void TfrmBiglietti::reportAccessFailure() {
    platform::MessageBoxes::current().typed(this, MessageType::Error, AccessFailure);
}

// ---------------------------------------------------------------- side files

void TfrmBiglietti::LoadVoucherLogo() {
    const QString path = storage::logoPath(platform::ProgramFolder::current().path(), archiveName(),
                                           storage::trimControl(lblPosizione->text()));
    const storage::LogoLoad load = storage::loadLogo(path);
    switch (load.outcome) {
    case storage::LogoLoad::Outcome::Loaded:
        imgFoto->setImage(load.image);
        break;
    case storage::LogoLoad::Outcome::Unavailable:
        imgFoto->setImage(imgBianco->image());
        break;
    case storage::LogoLoad::Outcome::Undecodable:
        break; // the picture on screen stays as it is
    }
}

void TfrmBiglietti::SaveVoucherLogo() {
    const QString path = storage::logoPath(platform::ProgramFolder::current().path(), archiveName(),
                                           storage::trimControl(lblPosizione->text()));
    if (!storage::saveLogo(path, imgFoto->image()))
        imgFoto->setImage(imgBianco->image());
}

void TfrmBiglietti::LoadArchiveDefaults() {
    lblFileIni->setText(
        storage::settingsPath(platform::ProgramFolder::current().path(), archiveName()));
    const storage::ArchiveDefaults d = storage::loadArchiveDefaults(lblFileIni->text());
    txtPrezzo->setText(d.inizio);
    txtSpettatore->setText(d.scadenza);
    txtEvento->setText(d.valore);
    txtLuogo->setText(d.luogo);
    txtScritta->setText(d.condizioni);
}

void TfrmBiglietti::SaveArchiveDefaults() {
    lblFileIni->setText(
        storage::settingsPath(platform::ProgramFolder::current().path(), archiveName()));
    storage::ArchiveDefaults d;
    d.inizio = storage::trimControl(txtPrezzo->text());
    d.scadenza = storage::trimControl(txtSpettatore->text());
    d.valore = storage::trimControl(txtEvento->text());
    d.luogo = storage::trimControl(txtLuogo->text());
    d.condizioni = storage::trimControl(txtScritta->text());
    QString error;
    if (!storage::saveArchiveDefaults(lblFileIni->text(), d, &error))
        throw std::runtime_error(error.toStdString());
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
    lblPosizione->clear();
    activateWindow();
    txtAcquirente->setFocus();

    // One guarded unit: the archive's defaults are read only when its first
    // voucher's picture exists, that is once something has been saved in it.
    const QString firstLogo = storage::logoPath(platform::ProgramFolder::current().path(),
                                                archiveName(), QStringLiteral("1"));
    const storage::LogoLoad load = storage::loadLogo(firstLogo);
    if (load.outcome == storage::LogoLoad::Outcome::Loaded) {
        imgFoto->setImage(load.image);
        LoadArchiveDefaults();
        return;
    }
    for (QLineEdit* f : fields_)
        f->clear();
    chkPagato->setChecked(false);
    lblPosizione->clear();
    imgFoto->setImage(imgBianco->image());
}

void TfrmBiglietti::cmdEsciClick() {
    close();
}

void TfrmBiglietti::closeEvent(QCloseEvent* event) {
    try {
        SaveArchiveDefaults();
    } catch (const std::exception& failure) {
        // The defaults could not be kept: say so and stay, so that nothing the
        // shopkeeper typed is lost without notice.
        platform::MessageBoxes::current().typed(
            this, MessageType::Error,
            QStringLiteral("Attenzione: non è stato possibile salvare i dati predefiniti "
                           "dell'archivio nel file\n%1\n%2")
                .arg(lblFileIni->text(), QString::fromStdString(failure.what())));
        event->ignore();
        return;
    }
    windows_.handOver(this, windows_.frmAvvio());
    event->accept();
}

// ---------------------------------------------------------------- record display

void TfrmBiglietti::showRecord(const storage::VoucherRecord& record, qint64 position) {
    for (int i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(record.text(static_cast<storage::VoucherRecord::Field>(i)));
    if (record.pagatoText == storage::VoucherRecord::flagYes())
        chkPagato->setChecked(true);
    else if (record.pagatoText == storage::VoucherRecord::flagNo())
        chkPagato->setChecked(false);
    lblPosizione->setText(QString::number(position));
    LoadVoucherLogo();
}

void TfrmBiglietti::navigate(Step step) {
    storage::ArchiveFile archive;
    if (!archive.open(archivePath())) {
        reportAccessFailure();
        return;
    }
    const qint64 n = archive.count();
    if (n < 0) {
        reportAccessFailure();
        return;
    }
    const QString label = storage::trimControl(lblPosizione->text());
    const qint64 p = label.toLongLong();
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
            lblPosizione->clear();
            archive.close();
            platform::MessageBoxes::current().typed(this, MessageType::Information, EmptyArchive);
            return;
        }
        if (p >= n)
            return;
        target = p + 1;
        break;
    case Step::Previous:
        if (label == u"1")
            return;
        if (n == 0) {
            archive.close();
            platform::MessageBoxes::current().typed(this, MessageType::Information, EmptyArchive);
            return;
        }
        target = (label.isEmpty() || label == u"2") ? 1 : p - 1;
        break;
    }
    // A position beyond the archive (it never holds one the editor did not
    // write) would be a read past the end: the access failure says so.
    std::optional<storage::VoucherRecord> record;
    if (target >= 1 && archive.seek(target - 1))
        record = archive.read();
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
    const qint64 n = archive.count();
    if (n < 0)
        return;
    for (QLineEdit* f : {txtAcquirente, txtVia, txtCitta, txtCel, txtPosto, txtNote})
        f->clear();
    chkPagato->setChecked(false);
    lblPosizione->clear();
    txtNum->setText(QString::number(n + 1));
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

    storage::VoucherRecord record;
    for (int i = 0; i < fields_.size(); ++i)
        record.setText(static_cast<storage::VoucherRecord::Field>(i), fields_[i]->text());
    record.pagato = chkPagato->isChecked();

    storage::ArchiveFile archive;
    if (!archive.open(archivePath())) {
        reportAccessFailure();
        return;
    }
    const QString label = storage::trimControl(lblPosizione->text());
    const bool updating = !label.isEmpty();
    qint64 position = updating ? label.toLongLong() : 0;
    const bool written =
        updating ? archive.update(position, record) : archive.append(record, &position);
    if (!written) {
        reportAccessFailure();
        return;
    }
    lblPosizione->setText(QString::number(position));
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

void TfrmBiglietti::cmdTrovaClick() {
    app::openDialog<lists::TfrmTrovaBiglietti>(this);
}

void TfrmBiglietti::cmdAnteprimaClick() {
    app::openDialog<printing::TfrmAnteprimaBiglietto>(this);
}

void TfrmBiglietti::cmdStampaClick() {
    app::openDialog<printing::TfrmStampaBiglietto>(this);
}

void TfrmBiglietti::cmdExcelClick() {
    app::openDialog<exporting::TfrmExpBiglietti>(this);
}

void TfrmBiglietti::cmdNonPagatiClick() {
    app::openDialog<lists::TfrmRiepDaPagare>(this);
}

void TfrmBiglietti::cmdGuidaClick() {
    app::openDialog<app::TfrmGuida>(this, editorTopic());
}

// ---------------------------------------------------------------- logo and WhatsApp

void TfrmBiglietti::imgFotoClick() {
    const QString file = platform::FileDialogs::current().openFile(
        this, QStringLiteral("Selezionare un file di immagine in formato Jpeg o Bitmap."),
        QStringLiteral("Immagine JPEG (*.jpg *.jpeg);;Immagine Bitmap (*.bmp)"));
    if (file.isEmpty())
        return;
    const storage::LogoLoad load = storage::readPicture(file);
    if (load.outcome == storage::LogoLoad::Outcome::Loaded)
        imgFoto->setImage(load.image);
    else if (load.outcome == storage::LogoLoad::Outcome::Unavailable)
        imgFoto->setImage(imgBianco->image());
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
    auto t = [](QLineEdit* f) { return storage::trimControl(f->text()); };
    const WhatsAppNotice notice{t(txtCel),        t(txtNum),   t(txtEvento), t(txtPrezzo),
                                t(txtSpettatore), t(txtPosto), t(txtLuogo)};
    app::TMisc::Open(whatsAppLink(notice));
}

// ---------------------------------------------------------------- typing

void TfrmBiglietti::setUpFieldBehaviour() {
    fields_ = {txtAcquirente, txtVia,   txtCitta,  txtCel,   txtNum,     txtPrezzo,
               txtSpettatore, txtPosto, txtEvento, txtLuogo, txtScritta, txtNote};
    const int limits[] = {50, 120, 50, 15, 20, 10, 10, 50, 15, 120, 250, 250};
    for (int i = 0; i < fields_.size(); ++i) {
        QLineEdit* field = fields_[i];
        field->installEventFilter(this);
        setFocusColour(field, false);
        // A validator judges only what the user types or pastes: a text the
        // program puts in (a stored record, a date) is never cut.
        field->setValidator(new TypingLimit(limits[i], field));
    }
    txtPrezzo->setReadOnly(true);
    txtSpettatore->setReadOnly(true);
}

void TfrmBiglietti::setFocusColour(QLineEdit* field, bool focused) {
    const bool customerSide = field == txtAcquirente || field == txtVia || field == txtCitta ||
                              field == txtCel || field == txtNote;
    const QString fill =
        focused ? QStringLiteral("#FFFF00")
                : (customerSide ? QStringLiteral("#F0F8FF") : QStringLiteral("#FFFFFF"));
    field->setStyleSheet(
        QStringLiteral("QLineEdit { background-color: %1; border: 1px solid #87CEEB; "
                       "padding: 0px 2px; }")
            .arg(fill));
}

bool TfrmBiglietti::eventFilter(QObject* watched, QEvent* event) {
    auto* field = qobject_cast<QLineEdit*>(watched);
    if (field && fields_.contains(field)) {
        switch (event->type()) {
        case QEvent::FocusIn:
            setFocusColour(field, true);
            break;
        case QEvent::FocusOut:
            if (field == txtEvento)
                txtEventoExit();
            else
                setFocusColour(field, false);
            break;
        case QEvent::KeyPress:
            return fieldKeyPress(field, static_cast<QKeyEvent*>(event));
        default:
            break;
        }
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

bool TfrmBiglietti::fieldKeyPress(QLineEdit* field, QKeyEvent* key) {
    const int code = key->key();
    if (code == Qt::Key_Return || code == Qt::Key_Enter) {
        const qsizetype i = fields_.indexOf(field);
        fields_[(i + 1) % fields_.size()]->setFocus();
        return true;
    }
    if (code == Qt::Key_Tab || code == Qt::Key_Backtab)
        return false; // the focus still leaves by Tab

    if (field == txtPrezzo || field == txtSpettatore) {
        if (code == Qt::Key_Backspace || code == Qt::Key_Delete) {
            field->clear();
            return true;
        }
        openDatePicker(field);
        return true;
    }

    if (field == txtCel || field == txtEvento) {
        if (code == Qt::Key_Backspace || code == Qt::Key_Delete || code == Qt::Key_Left ||
            code == Qt::Key_Right)
            return false;
        const QString text = key->text();
        const bool allowed = text.size() == 1 && ((text[0] >= u'0' && text[0] <= u'9') ||
                                                  (field == txtEvento && text[0] == u','));
        return !allowed; // anything else is swallowed, key and character alike
    }
    return false;
}

void TfrmBiglietti::openDatePicker(QLineEdit* field) {
    TfrmCalendario picker(this);
    picker.lblMemory->setText(field == txtPrezzo ? QStringLiteral("prezzo")
                                                 : QStringLiteral("spettatore"));
    picker.exec();
}

void TfrmBiglietti::txtEventoExit() {
    setFocusColour(txtEvento, false);
    txtEvento->setText(formatVoucherValue(txtEvento->text()));
}

} // namespace scontrix::editor
