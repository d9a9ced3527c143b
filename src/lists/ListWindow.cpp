#include "lists/ListWindow.h"

#include "lists/FindInList.h"
#include "lists/ListModel.h"
#include "lists/ListReport.h"
#include "platform/MessageBoxes.h"
#include "report/ReportActions.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"
#include "ui/WorkProgress.h"
#include "voucher/Messages.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

namespace scontrix::lists {

const QString ListWindow::AccessFailure = voucher::AccessFailure;
const QString ListWindow::EmptyListMessage =
    QStringLiteral("Ricerca non applicabile: la lista non contiene nessuna voce.");

namespace {

ui::ShapeRect* makeShadedRect(QWidget* pan, const char* name, QRect geometry,
                              const QColor& outline) {
    ui::ShapeRect* rect = ui::makeRect(pan, name, geometry, Qt::white, outline);
    rect->setFillGradient(ui::colours::steelBlue, Qt::white);
    return rect;
}

} // namespace

ListWindow::ListWindow(QWidget* owner, const voucher::OpenArchive& archive, const Look& look)
    : ui::DialogWindow(owner, look.caption, QSize(862, 560), ui::Placement::ScreenCentre),
      archive_(archive), look_(look), model_(new ListModel(this)),
      repRiepilogo_(makeRiepilogoTemplate()) {
    auto* background = new ui::GradientBackground(ui::colours::steelBlue, Qt::white, this);
    background->setObjectName(QStringLiteral("bkgWindow"));
    background->setGeometry(0, 0, 862, 560);
}

ListWindow::~ListWindow() = default;

void ListWindow::buildResultsPanel(QWidget* pan, const char* instructionsName, QRect instructions) {
    const QColor outline = look_.outline;
    shpLente = ui::makeRect(pan, "shpLente", {8, 104, 81, 57}, Qt::white, outline);
    btnStampa = ui::makeButton(pan, "btnStampa", QStringLiteral("Stampa"), {675, 488, 150, 30});
    btnChiudi = ui::makeButton(pan, "btnChiudi", QStringLiteral("Chiudi"), {8, 488, 150, 30});
    shpSfondo = makeShadedRect(pan, "shpSfondo", {96, 104, 729, 57}, outline);
    imgLogo = ui::makePicture(pan, "imgLogo", look_.banner, {8, 8, 817, 53});
    imgLente = ui::makePicture(pan, "imgLente", "list_lente.svg", {16, 112, 64, 41});

    txtTrova = new QLineEdit(pan);
    txtTrova->setObjectName(QStringLiteral("txtTrova"));
    txtTrova->setGeometry(112, 122, 593, 22);
    ui::setDesignFont(txtTrova, QStringLiteral("Verdana"), 12, true, Qt::black);
    txtTrova->installEventFilter(this);

    btnTrova = ui::makeButton(pan, "btnTrova", QStringLiteral("Trova"), {710, 117, 105, 30});
    shpLista = makeShadedRect(pan, "shpLista", {8, 168, 817, 313}, outline);

    lstRecords = new QListView(pan);
    lstRecords->setObjectName(QStringLiteral("lstRecords"));
    lstRecords->setGeometry(16, 176, 801, 273);
    lstRecords->setModel(model_);
    lstRecords->setFont(model_->itemFont());
    lstRecords->setUniformItemSizes(true);
    lstRecords->setSelectionMode(QAbstractItemView::SingleSelection);
    lstRecords->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lstRecords->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lstRecords->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    lstRecords->setStyleSheet(
        QStringLiteral("QListView { background: white; color: black; }"
                       "QListView::item:selected { background: #3875D7; color: white; }"));
    lstRecords->viewport()->installEventFilter(this);

    lblRigo03 = new QLabel(look_.doubleClickHint, pan);
    lblRigo03->setObjectName(QStringLiteral("lblRigo03"));
    lblRigo03->setGeometry(16, 454, 801, 22);
    lblRigo03->setAlignment(Qt::AlignCenter);
    ui::setDesignFont(lblRigo03, QStringLiteral("Verdana"), 9, false, ui::colours::crimson);

    ui::makePicture(pan, instructionsName, "list_istruzioni.svg", instructions);

    ui::nameControls({
        {txtTrova, "Testo da trovare nell'elenco"},
        {lstRecords, "Elenco dei buoni acquisto"},
    });
    lstRecords->setAccessibleDescription(look_.doubleClickHint);

    for (QPushButton* b : {btnStampa, btnChiudi, btnTrova})
        b->setAutoDefault(false);
    connect(btnTrova, &QPushButton::clicked, this, &ListWindow::btnTrovaClick);
    connect(btnChiudi, &QPushButton::clicked, this, &ListWindow::btnChiudiClick);
}

QString ListWindow::archivePath() const {
    return archive_.path;
}

QString ListWindow::archiveName() const {
    return archive_.name;
}

QStringList ListWindow::entries() const {
    QStringList texts;
    const ListRows& rows = model_->rows();
    texts.reserve(rows.size());
    for (qsizetype i = 0; i < rows.size(); ++i)
        texts << rows.text(i);
    return texts;
}

void ListWindow::fillList(ListRows rows) {
    model_->setRows(std::move(rows));
}

void ListWindow::clearList() {
    model_->clear();
}

void ListWindow::resetFind() {
    lastFindText_.clear();
    txtTrova->clear();
}

void ListWindow::btnChiudiClick() {
    close();
}

void ListWindow::done(int result) {
    clearList();
    ui::DialogWindow::done(result);
}

bool ListWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == txtTrova && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            btnTrova->setFocus();
            return true;
        }
    }
    if (watched == lstRecords->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        lstRecordsDblClick();
        return true;
    }
    return ui::DialogWindow::eventFilter(watched, event);
}

void ListWindow::btnTrovaClick() {
    const ListRows& rows = model_->rows();
    if (rows.empty()) {
        platform::MessageBoxes::current().plain(this, EmptyListMessage);
        return;
    }
    std::optional<qsizetype> selected;
    const QModelIndex current = lstRecords->currentIndex();
    if (current.isValid() && lstRecords->selectionModel()->isSelected(current)) {
        selected = current.row();
    } else {
        selected = 0;
        lstRecords->setCurrentIndex(model_->index(0));
    }
    const QString findText = foldAsciiLower(txtTrova->text());
    if (const auto found = findInList(rows, selected, findText, lastFindText_)) {
        const QModelIndex index = model_->index(static_cast<int>(*found));
        lstRecords->setCurrentIndex(index);
        lstRecords->scrollTo(index, QAbstractItemView::PositionAtCenter);
    }
    lastFindText_ = findText;
}

void ListWindow::openChosenEntry(bool load, const ListedTest& listed) {
    const QModelIndex current = lstRecords->currentIndex();
    if (current.isValid() && lstRecords->selectionModel()->isSelected(current)) {
        const QString chosenText = model_->rows().text(current.row());
        ui::WorkProgress progress(this, QStringLiteral("Ricerca della scheda in corso..."),
                                  ScanDelayMs, ui::WorkProgress::Cancel::No);
        const ChosenRecord chosen =
            findChosenRecord(archivePath(), chosenText, progress.callback(), listed);
        // A failure part-way leaves in the editor what had been found by then.
        if (load && chosen.record)
            emit voucherChosen(*chosen.record, chosen.position);
    }
    close();
}

void ListWindow::printList(const QString& title) {
    fillListReport(*repRiepilogo_, title, model_->rows());
    // The engine shows its own error box; what it prepared is printed anyway.
    report::prepareReport(*repRiepilogo_, true, this);
    report::printReport(*repRiepilogo_, this);
}

} // namespace scontrix::lists
