#include "editor/TfrmBiglietti.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FieldBehaviours.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSvgRenderer>

// The editor's layout: the controls at their design positions, their
// captions, hints and handlers, and the behaviour of the twelve fields.
namespace scontrix::editor {

namespace {

const QColor Navy(0x00, 0x00, 0x80);
const QColor MediumBlue(0x00, 0x00, 0xCD);
const QColor WorkArea(0xC8, 0xD6, 0xE3);
const QColor VoucherYellow(0xF9, 0xF9, 0xCB);
const QColor ValueOrange(0xFE, 0xD2, 0x83);
const QColor BandOrange(0xF5, 0x9E, 0x2B);

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

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

using storage::Holds;
const std::array<TfrmBiglietti::FieldRow, 12> TfrmBiglietti::FieldRows{{
    {&TfrmBiglietti::txtAcquirente, Holds::Buyer, 50, true},
    {&TfrmBiglietti::txtVia, Holds::Street, 120, true},
    {&TfrmBiglietti::txtCitta, Holds::City, 50, true},
    {&TfrmBiglietti::txtCel, Holds::Mobile, 15, true},
    {&TfrmBiglietti::txtNum, Holds::Number, 20, false},
    {&TfrmBiglietti::txtPrezzo, Holds::ValidFrom, 10, false},
    {&TfrmBiglietti::txtSpettatore, Holds::Expiry, 10, false},
    {&TfrmBiglietti::txtPosto, Holds::Beneficiary, 50, false},
    {&TfrmBiglietti::txtEvento, Holds::Value, 15, false},
    {&TfrmBiglietti::txtLuogo, Holds::Place, 120, false},
    {&TfrmBiglietti::txtScritta, Holds::Conditions, 250, false},
    {&TfrmBiglietti::txtNote, Holds::Notes, 250, true},
}};
TfrmBiglietti::TfrmBiglietti()
    : ui::FullScreenWindow(QStringLiteral(" Scontrix - Emissione Buoni"), QSize(994, 692),
                           ui::colours::windowBlue) {
    setObjectName(QStringLiteral("frmBiglietti"));
    QWidget* pan = container();
    // Over the container and the window's backdrop around it the status line
    // goes blank.
    for (QWidget* background : {pan, pan->parentWidget()}) {
        background->setMouseTracking(true);
        background->installEventFilter(this);
    }

    auto* backdrop = new ui::ShapeRect(pan);
    backdrop->setObjectName(QStringLiteral("shpSfondo"));
    backdrop->setGeometry(8, 8, 978, 675);
    backdrop->setFillGradient(ui::colours::windowBlue, Qt::white);
    backdrop->setBorder(Qt::white);

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
    // Never a Tab stop: the keyboard order ends at chkPagato and wraps round.
    btnFocus->setFocusPolicy(Qt::ClickFocus);
    connect(btnFocus, &QPushButton::clicked, this, &TfrmBiglietti::btnFocusClick);

    connectActionsAndHints();
}

void TfrmBiglietti::connectActionsAndHints() {
    // One row per control: what a click does, what a screen reader calls it
    // (the toolbar's pictures by what they do, the fields by the captions
    // beside them) and the hint the status line shows, which also describes
    // the control to assistive technology.
    struct ControlRow {
        QWidget* control;
        void (TfrmBiglietti::*click)();
        const char* name; // UTF-8; none keeps the control's own text
        const char* hint; // UTF-8; none for a field
    };
    const ControlRow rows[] = {
        {cmdNuovo, &TfrmBiglietti::cmdNuovoClick, "Nuova scheda",
         "Prepara la schermata per la registrazione di una nuova scheda."},
        {cmdSalva, &TfrmBiglietti::cmdSalvaClick, "Salva", "Salva la scheda in archivio."},
        {cmdTrova, &TfrmBiglietti::cmdTrovaClick, "Trova", "Trova buoni acquisto in archivio."},
        {cmdAnteprima, &TfrmBiglietti::cmdAnteprimaClick, "Anteprima",
         "Visualizza l'anteprima di stampa del buono acquisto corrente."},
        {cmdStampa, &TfrmBiglietti::cmdStampaClick, "Stampa", "Stampa il buono acquisto corrente."},
        {cmdPrimo, &TfrmBiglietti::cmdPrimoClick, "Prima scheda",
         "Visualizza la prima scheda in archivio."},
        {cmdIndietro, &TfrmBiglietti::cmdIndietroClick, "Scheda precedente",
         "Visualizza la scheda precedente in archivio."},
        {cmdAvanti, &TfrmBiglietti::cmdAvantiClick, "Scheda successiva",
         "Visualizza la scheda successiva in archivio."},
        {cmdUltimo, &TfrmBiglietti::cmdUltimoClick, "Ultima scheda",
         "Visualizza l'ultima scheda in archivio."},
        {cmdExcel, &TfrmBiglietti::cmdExcelClick, "Esporta in Excel",
         "Esporta i buoni acquisto in archivio in un file di Excel."},
        {cmdNonPagati, &TfrmBiglietti::cmdNonPagatiClick, "Buoni non incassati",
         "Visualizza il riepilogo dei buoni acquisto non ancora incassati."},
        {cmdGuida, &TfrmBiglietti::cmdGuidaClick, "Guida", "Visualizza la guida in linea."},
        {cmdEsci, &TfrmBiglietti::cmdEsciClick, "Esci", "Esci da questa schermata di lavoro."},
        {imgFoto, &TfrmBiglietti::imgFotoClick, "Logo della ditta",
         "Carica il logo della ditta selezionando un'immagine di forma quadrata."},
        {btnWhatsApp, &TfrmBiglietti::btnWhatsAppClick, "WhatsApp",
         "Invia all'acquirente un messaggio di WhatsApp a conferma dell'emissione del "
         "buono acquisto."},
        {chkPagato, nullptr, nullptr,
         "Spunta questa casella per annotare che il buono acquisto è stato incassato."},
        {txtAcquirente, nullptr, "Cliente", nullptr},
        {txtVia, nullptr, "Via e numero civico", nullptr},
        {txtCitta, nullptr, "Città", nullptr},
        {txtCel, nullptr, "Cellulare", nullptr},
        {txtNum, nullptr, "Numero", nullptr},
        {txtPrezzo, nullptr, "Inizio validità", nullptr},
        {txtSpettatore, nullptr, "Fine validità", nullptr},
        {txtPosto, nullptr, "Beneficiario", nullptr},
        {txtEvento, nullptr, "Valore in euro", nullptr},
        {txtLuogo, nullptr, "Spendibile presso", nullptr},
        {txtScritta, nullptr, "Condizioni di utilizzo", nullptr},
        {txtNote, nullptr, "Note", nullptr},
    };
    for (const ControlRow& row : rows) {
        if (row.click) // every control with a click is a picture
            connect(static_cast<ui::Picture*>(row.control), &ui::Picture::clicked, this, row.click);
        if (row.name)
            row.control->setAccessibleName(QString::fromUtf8(row.name));
        if (row.hint) {
            hints_.insert(row.control, QString::fromUtf8(row.hint));
            row.control->setStatusTip(hints_.value(row.control));
            row.control->installEventFilter(this);
            row.control->setAttribute(Qt::WA_NoMousePropagation);
        }
    }
    // The position is read out as it stands, then what it is.
    lblPosizione->setAccessibleDescription(QStringLiteral("Posizione della scheda in archivio"));
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
    // Passing over the name bar empties the status line, as over the container.
    lblNome->setMouseTracking(true);
    lblNome->installEventFilter(this);

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
    ui::setDesignFont(txtEvento, QStringLiteral("Arial"), 24, true, ui::colours::crimson);
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
    chkPagato->move(860, 584);
    ui::setDesignFont(chkPagato, QStringLiteral("Verdana"), 10, true, Navy);
    chkPagato->adjustSize();

    auto* status = ui::makeRect(pan, "shpStato", {16, 642, 962, 32}, MediumBlue, Qt::yellow);
    status->setAttribute(Qt::WA_TransparentForMouseEvents, false);
    status->setAttribute(Qt::WA_NoMousePropagation);
    panInfo = new QLabel(QStringLiteral("Pronto per archiviare una nuova scheda..."), pan);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    panInfo->setGeometry(22, 650, 950, 20);
    ui::setDesignFont(panInfo, QStringLiteral("Tahoma"), 12, false, Qt::white);
    panInfo->setAttribute(Qt::WA_NoMousePropagation);

    QWidget* previous = nullptr;
    for (QWidget* next : recordFields()) {
        if (previous)
            setTabOrder(previous, next);
        previous = next;
    }
    setTabOrder(previous, chkPagato);
}

QList<QLineEdit*> TfrmBiglietti::recordFields() const {
    QList<QLineEdit*> fields;
    for (const FieldRow& row : FieldRows)
        fields << this->*row.control;
    return fields;
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

void TfrmBiglietti::setUpFieldBehaviour() {
    for (const FieldRow& row : FieldRows) {
        QLineEdit* field = this->*row.control;
        ui::limitTyping(field, row.typingLimit);
        ui::colourOnFocus(field, {row.customerSide ? ui::colours::aliceBlue : QColor(Qt::white)});
    }
    ui::acceptOnly(txtCel, isDigit);
    ui::acceptOnly(txtEvento, [](QChar c) { return isDigit(c) || c == u','; });
    // Nothing is typed into the dates: the picker is the only way in.
    txtPrezzo->setReadOnly(true);
    txtSpettatore->setReadOnly(true);
    ui::fillByPicker(txtPrezzo, [this] { openDatePicker(txtPrezzo); });
    ui::fillByPicker(txtSpettatore, [this] { openDatePicker(txtSpettatore); });
    // Installed last, so that Enter reaches it before the key filters.
    ui::chainEnter(recordFields());
    // The value is formatted when it loses the focus (txtEventoExit).
    txtEvento->installEventFilter(this);
}

} // namespace scontrix::editor
