#include "lists/TfrmTrovaBiglietti.h"

#include "lists/ListModel.h"
#include "lists/SearchFilters.h"
#include "platform/MessageBoxes.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FieldBehaviours.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"
#include "ui/WorkProgress.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace scontrix::lists {

namespace {

const QColor Outline(0x79, 0xA6, 0xCB);
const QColor DarkCyan(0x00, 0x8B, 0x8B);

// The filter table: label, field, place. Each field searches the record field
// of lists::FilterFields at the same index; Enter moves to the next row, and
// from the last back to the first.
struct FilterPlace {
    const char* label;
    const char* name;
    QRect geometry;
};
const FilterPlace FilterTable[10] = {
    {"Cliente:", "txtAcquirente", {144, 133, 320, 22}},
    {"Via e numero civico:", "txtVia", {488, 133, 320, 22}},
    {"Citt\u00e0:", "txtCitta", {144, 195, 320, 22}},
    {"Cellulare:", "txtCel", {488, 195, 320, 22}},
    {"Buono acquisto n.", "txtNum", {144, 257, 320, 22}},
    {"Fine validit\u00e0:", "txtSpettatore", {488, 257, 320, 22}},
    {"Beneficiario:", "txtPosto", {144, 319, 320, 22}},
    {"Valore:", "txtEvento", {488, 319, 320, 22}},
    {"Condizioni di utilizzo:", "txtScritta", {144, 381, 664, 22}},
    {"Note:", "txtNote", {144, 438, 664, 22}},
};

QWidget* makePanel(QWidget* parent, const char* name) {
    auto* pan = new QWidget(parent);
    pan->setObjectName(QString::fromLatin1(name));
    // 833 x 529, in the middle of the 862 x 560 window.
    pan->setGeometry(14, 15, 833, 529);
    return pan;
}

} // namespace

TfrmTrovaBiglietti::TfrmTrovaBiglietti(QWidget* owner, const voucher::OpenArchive& archive,
                                       Caller caller)
    : ListWindow(owner, archive,
                 {QStringLiteral(" Trova buoni acquisto in archivio"), Outline, "search_banner.svg",
                  QStringLiteral("Fare doppio clic su una voce in elenco per richiamare "
                                 "la scheda")}),
      caller_(caller) {
    setObjectName(QStringLiteral("frmTrovaBiglietti"));

    panContainer = makePanel(this, "panContainer");
    buildResultsPanel(panContainer, "icoIstruzioni", {8, 66, 642, 32});
    lblTrovate =
        new QLabel(QStringLiteral("Il presente riepilogo contiene 0 schede"), panContainer);
    lblTrovate->setObjectName(QStringLiteral("lblTrovate"));
    lblTrovate->setGeometry(168, 494, 497, 22);
    lblTrovate->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    ui::setDesignFont(lblTrovate, QStringLiteral("Verdana"), 9, false, DarkCyan);
    panContainer->hide();
    setTabOrder(txtTrova, btnTrova);
    setTabOrder(btnTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnChiudi);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmTrovaBiglietti::btnStampaClick);

    panAvvio = makePanel(this, "panAvvio");
    buildFilterPanel(panAvvio);
}

void TfrmTrovaBiglietti::buildFilterPanel(QWidget* pan) {
    shpSfondoCampi = ui::makeRect(pan, "shpSfondoCampi", {8, 96, 817, 382}, Qt::white, Outline);
    shpSfondoCampi->setFillGradient(QColor(0x73, 0x9F, 0xC5), Qt::white);

    // The yellow frames lie behind their fields, 4 pixels larger on each side.
    for (int i = 9; i >= 0; --i) {
        const QRect f = FilterTable[i].geometry;
        const QByteArray name = "effCampo" + QByteArray::number(i + 1).rightJustified(2, '0');
        ui::ShapeRect* frame =
            ui::makeRect(pan, name.constData(), {f.left() - 4, f.top() - 4, f.width() + 8, 30},
                         ui::colours::focusYellow);
        frame->setBorderGradient(ui::colours::focusYellow, Qt::white);
        frame->hide();
        filters_[static_cast<std::size_t>(i)].frame = frame;
    }

    btnAnnulla = ui::makeButton(pan, "btnAnnulla", QStringLiteral("Chiudi"), {8, 488, 150, 30});
    btnCerca = ui::makeButton(pan, "btnCerca", QStringLiteral("Cerca"), {675, 488, 150, 30});
    shpSpiega = ui::makeRect(pan, "shpSpiega", {8, 8, 817, 78}, Qt::white, Outline);

    for (int i = 0; i < 10; ++i) {
        const FilterPlace& place = FilterTable[i];
        const QByteArray labelName = "lblCampo" + QByteArray::number(i + 1).rightJustified(2, '0');
        auto* label = new QLabel(QString::fromUtf8(place.label), pan);
        label->setObjectName(QString::fromLatin1(labelName));
        ui::setDesignFont(label, QStringLiteral("Verdana"), 12, false, Qt::black);
        label->adjustSize();
        label->move(place.geometry.left(), place.geometry.top() - 21);

        auto* field = new QLineEdit(pan);
        field->setObjectName(QString::fromLatin1(place.name));
        field->setGeometry(place.geometry);
        ui::setDesignFont(field, QStringLiteral("Verdana"), 12, true, Qt::black);
        filters_[static_cast<std::size_t>(i)].field = field;
        ui::nameByCaption(field, label->text());
        // A yellow border around the focused field: its frame lies behind it.
        ui::showWhileFocused(field, filters_[static_cast<std::size_t>(i)].frame);
    }
    // Enter moves along the filter table, from Note back to Cliente.
    ui::chainEnter(filterFields());
    txtAcquirente = filters_[0].field;
    txtVia = filters_[1].field;
    txtCitta = filters_[2].field;
    txtCel = filters_[3].field;
    txtNum = filters_[4].field;
    txtSpettatore = filters_[5].field;
    txtPosto = filters_[6].field;
    txtEvento = filters_[7].field;
    txtScritta = filters_[8].field;
    txtNote = filters_[9].field;

    lblAttendere = new QLabel(QStringLiteral("Ricerca schede in corso. Attendere..."), pan);
    lblAttendere->setObjectName(QStringLiteral("lblAttendere"));
    ui::setDesignFont(lblAttendere, QStringLiteral("Verdana"), 9, false, DarkCyan);
    lblAttendere->adjustSize();
    lblAttendere->move(185, 494);
    lblAttendere->hide();

    imgSpiega = ui::makePicture(pan, "imgSpiega", "search_spiega.svg", {18, 15, 771, 62});
    icoTrova01 = ui::makePicture(pan, "icoTrova01", "search_strip.svg", {24, 112, 98, 350});

    for (int i = 0; i + 1 < 10; ++i)
        setTabOrder(filters_[static_cast<std::size_t>(i)].field,
                    filters_[static_cast<std::size_t>(i + 1)].field);
    setTabOrder(txtNote, btnAnnulla);
    setTabOrder(btnAnnulla, btnCerca);
    for (QPushButton* b : {btnAnnulla, btnCerca})
        b->setAutoDefault(false);
    btnCerca->installEventFilter(this);
    connect(btnCerca, &QPushButton::clicked, this, &TfrmTrovaBiglietti::btnCercaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmTrovaBiglietti::btnChiudiClick);
}

QList<QLineEdit*> TfrmTrovaBiglietti::filterFields() const {
    QList<QLineEdit*> fields;
    for (const FilterField& f : filters_)
        fields << f.field;
    return fields;
}

void TfrmTrovaBiglietti::showEvent(QShowEvent* event) {
    ListWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmTrovaBiglietti::FormShow() {
    resetFind();
    txtAcquirente->setFocus();
}

bool TfrmTrovaBiglietti::eventFilter(QObject* watched, QEvent* event) {
    if (watched == btnCerca && event->type() == QEvent::MouseButtonPress) {
        lblAttendere->show();
        return false;
    }
    return ListWindow::eventFilter(watched, event);
}

void TfrmTrovaBiglietti::btnCercaClick() {
    // The notice shows while the search runs, however it was started.
    lblAttendere->show();
    lblAttendere->repaint();

    std::vector<SearchFilter> wanted;
    for (std::size_t i = 0; i < filters_.size(); ++i)
        wanted.push_back({FilterFields[i], filters_[i].field->text()});
    const SearchFilters filters(wanted);
    listedBy_ = std::make_shared<const SearchFilters>(filters);

    clearList();
    ui::WorkProgress progress(this, lblAttendere->text(), ScanDelayMs,
                              ui::WorkProgress::Cancel::No);
    ListScan scan = searchArchive(archivePath(), filters, progress.callback());
    if (!scan.outcome) {
        // The search is over: no notice of a search still running under the
        // message. The filters stay as typed, for another try.
        lblAttendere->hide();
        platform::MessageBoxes::current().plain(this, AccessFailure);
        return;
    }
    fillList(std::move(scan.rows));
    lblTrovate->setText(
        QStringLiteral("Il presente elenco contiene %1 schede.").arg(model().rows().size()));
    panContainer->show();
    panAvvio->hide();
    txtTrova->clear();
    txtTrova->setFocus();
}

void TfrmTrovaBiglietti::btnStampaClick() {
    printList(QStringLiteral("Buoni acquisto emessi per ") + archiveName());
}

void TfrmTrovaBiglietti::lstRecordsDblClick() {
    // The list is what the filters of its search found, whatever the fields
    // hold now.
    const std::shared_ptr<const SearchFilters> filters = listedBy_;
    openChosenEntry(caller_ == Caller::Editor,
                    [filters](const char* record) { return filters && filters->matches(record); });
}

void TfrmTrovaBiglietti::done(int result) {
    lblAttendere->hide();
    ListWindow::done(result);
}

} // namespace scontrix::lists
