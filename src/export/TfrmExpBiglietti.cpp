#include "export/TfrmExpBiglietti.h"

#include "export/ExportTopic.h"
#include "export/SpreadsheetFile.h"
#include "export/VoucherGrid.h"
#include "export/VoucherTable.h"
#include "guide/Misc.h"
#include "guide/TfrmGuida.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "storage/Text.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"
#include "ui/WorkProgress.h"

#include <QHeaderView>
#include <QLabel>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>

namespace scontrix::exporting {

const QString TfrmExpBiglietti::ExportQuestion =
    QStringLiteral("L'esportazione dei dati in Excel può richiedere diversi minuti a seconda del "
                   "numero di schede presenti in archivio.\r\n\r\nSi vuole esportare i dati "
                   "adesso?");
const QString TfrmExpBiglietti::OpenQuestion =
    QStringLiteral("Le schede in archivio sono state esportate con successo.\r\n\r\nSi vuole "
                   "aprire il file di Excel?");
const QString TfrmExpBiglietti::IncompleteArchive = QStringLiteral(
    "Attenzione: l'archivio non è stato letto per intero, quindi i dati non "
    "possono essere esportati.\n\r\n\rChiudere la finestra e riaprirla per leggere di "
    "nuovo l'archivio.");
const QString TfrmExpBiglietti::ExportFailure =
    QStringLiteral("Attenzione: il sistema non permette di esportare i dati.\n\r\n\rAccertarsi "
                   "che il file di Excel non sia già aperto.");

namespace {

const QSize ClientSize{862, 560};
const QSize ContainerSize{837, 533};
const QColor Background(0xEE, 0xED, 0xED);
const QColor SlateBlue(0x6A, 0x5A, 0xCD);

} // namespace

TfrmExpBiglietti::TfrmExpBiglietti(QWidget* owner, const voucher::OpenArchive& archive)
    : ui::DialogWindow(owner, QStringLiteral(" Esporta archivio buoni acquisto in Excel"),
                       ClientSize, ui::Placement::ScreenCentre),
      archive_(archive), records_(new VoucherTable(this)) {
    setObjectName(QStringLiteral("frmExpBiglietti"));
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Background);
    setPalette(palette);

    panContainer = ui::makeContainer(this, ContainerSize);
    panContainer->move((ClientSize.width() - ContainerSize.width()) / 2,
                       (ClientSize.height() - ContainerSize.height()) / 2);
    QWidget* pan = panContainer;

    grdRecords = new VoucherGrid(pan);
    grdRecords->setObjectName(QStringLiteral("grdRecords"));
    grdRecords->setGeometry(8, 80, 821, 409);
    grdRecords->setModel(records_);
    grdRecords->applyColumns();

    shpInfo = ui::makeRect(pan, "shpInfo", {8, 493, 821, 32}, SlateBlue, Qt::black);
    panInfo = new QLabel(QStringLiteral("Esportazione archivio in Microsoft Excel."), pan);
    panInfo->setObjectName(QStringLiteral("panInfo"));
    ui::setDesignFont(panInfo, QStringLiteral("Tahoma"), 12, false, Qt::white);
    panInfo->move(14, 499);
    panInfo->adjustSize();
    // The hint line grows with its text, never past its strip.
    panInfo->setFixedWidth(821 - 12);

    shpSfondo = ui::makeRect(pan, "shpSfondo", {8, 8, 821, 65}, Qt::white, Qt::black);
    cmdEsporta = ui::makePicture(pan, "cmdEsporta", "export_excel.svg", {566, 15, 49, 50}, true);
    cmdGuida = ui::makePicture(pan, "cmdGuida", "export_guida.svg", {670, 13, 50, 55}, true);
    cmdEsci = ui::makePicture(pan, "cmdEsci", "export_esci.svg", {766, 15, 40, 50}, true);
    imgLogo = ui::makePicture(pan, "imgLogo", "export_banner.svg", {13, 13, 505, 55});
    icoHand = ui::makePicture(pan, "icoHand", "export_hand.svg", {528, 32, 31, 25});
    // Passing over the pictures leaves the hint line as it is.
    imgLogo->setAttribute(Qt::WA_NoMousePropagation);
    icoHand->setAttribute(Qt::WA_NoMousePropagation);

    connect(cmdEsporta, &ui::Picture::clicked, this, &TfrmExpBiglietti::cmdEsportaClick);
    connect(cmdGuida, &ui::Picture::clicked, this, &TfrmExpBiglietti::cmdGuidaClick);
    connect(cmdEsci, &ui::Picture::clicked, this, &TfrmExpBiglietti::cmdEsciClick);

    const std::pair<ui::Picture*, const char*> hints[] = {
        {cmdEsporta, "Esporta l'archivio in formato Microsoft Excel."},
        {cmdGuida, "Visualizza la pagina della guida sensibile al contesto."},
        {cmdEsci, "Esci da questo ambiente di lavoro."},
    };
    for (const auto& [picture, hint] : hints) {
        hints_.insert(picture, QString::fromUtf8(hint));
        // The same hint describes the button to assistive technology.
        picture->setStatusTip(hints_.value(picture));
        picture->installEventFilter(this);
        picture->setAttribute(Qt::WA_NoMousePropagation);
    }
    ui::nameControls({
        {cmdEsporta, "Esporta in Excel"},
        {cmdGuida, "Guida"},
        {cmdEsci, "Esci"},
        {grdRecords, "Buoni acquisto in archivio"},
    });
    // Over these the hint line goes blank.
    for (QWidget* w :
         {static_cast<QWidget*>(this), pan, static_cast<QWidget*>(shpInfo),
          static_cast<QWidget*>(shpSfondo), static_cast<QWidget*>(grdRecords),
          grdRecords->viewport(), static_cast<QWidget*>(grdRecords->horizontalHeader()),
          grdRecords->horizontalHeader()->viewport()})
        watchMouse(w);
}

TfrmExpBiglietti::~TfrmExpBiglietti() = default;

void TfrmExpBiglietti::watchMouse(QWidget* widget) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
}

void TfrmExpBiglietti::showEvent(QShowEvent* event) {
    ui::DialogWindow::showEvent(event);
    // Only the program's own showing fills the grid: the window system shows
    // it again after a minimise or "show desktop", and a refill then would
    // throw away every cell the shopkeeper changed.
    if (!event->spontaneous())
        FormShow();
}

void TfrmExpBiglietti::FormShow() {
    ui::WorkProgress progress(this, QStringLiteral("Lettura dell'archivio in corso..."),
                              progressDelayMs, ui::WorkProgress::Cancel::Yes);
    fill_ = records_->fill(archivePath(), progress.callback());
    grdRecords->scrollToTop();
    grdRecords->horizontalScrollBar()->setValue(0);
    // The rows read so far stay in view, but a grid that is not the whole
    // archive must not pass for it: the shopkeeper is told once the window
    // is up (a stop asked for is no news), and the export refuses it.
    if (fill_ == VoucherTable::Fill::Failed) {
        QTimer::singleShot(0, this, [this] {
            platform::MessageBoxes::current().typed(this, platform::MessageType::Error,
                                                    IncompleteArchive);
        });
    }
}

QString TfrmExpBiglietti::archivePath() const {
    return archive_.path;
}

void TfrmExpBiglietti::cmdEsportaClick() {
    grdRecords->commitOpenEditor();
    auto& messages = platform::MessageBoxes::current();
    if (fill_ != VoucherTable::Fill::Complete) {
        // Part of the archive written as if it were all of it would replace
        // a good export with less: the previous file stays as it is.
        messages.plain(this, IncompleteArchive);
        return;
    }
    if (!messages.confirm(this, ExportQuestion))
        return;

    const QString path = platform::ProgramFolder::file(QString::fromLatin1(SpreadsheetFileName));
    const storage::Result<WriteEnd> written = [&] {
        ui::WorkProgress progress(this,
                                  QStringLiteral("Esportazione dei buoni acquisto in corso..."),
                                  progressDelayMs, ui::WorkProgress::Cancel::Yes);
        return writeSpreadsheet(path, *records_, progress.callback());
    }();
    if (!written) {
        messages.plain(this, ExportFailure);
        return;
    }
    // Stopped by the user: the previous file is untouched, nothing to say.
    if (*written == WriteEnd::Cancelled)
        return;
    if (messages.confirm(this, OpenQuestion))
        guide::TMisc::Open(u'"' + path + u'"');
}

void TfrmExpBiglietti::cmdGuidaClick() {
    ui::openDialog<guide::TfrmGuida>(this, exportTopic());
}

void TfrmExpBiglietti::cmdEsciClick() {
    close();
}

bool TfrmExpBiglietti::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Enter) {
        if (const auto hint = hints_.constFind(watched); hint != hints_.cend())
            panInfo->setText(*hint);
    } else if (event->type() == QEvent::MouseMove && !hints_.contains(watched)) {
        panInfo->clear();
    }
    return ui::DialogWindow::eventFilter(watched, event);
}

} // namespace scontrix::exporting
