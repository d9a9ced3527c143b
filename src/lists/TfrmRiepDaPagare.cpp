#include "lists/TfrmRiepDaPagare.h"

#include "lists/ListModel.h"
#include "platform/MessageBoxes.h"
#include "ui/Style.h"
#include "ui/WorkProgress.h"

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QShowEvent>

namespace scontrix::lists {

const QString TfrmRiepDaPagare::Title = QStringLiteral("Riepilogo buoni acquisto non incassati");

namespace {

const QColor Outline(0xAC, 0xC9, 0xE1);
const QColor DarkCyan(0x00, 0x8B, 0x8B);

} // namespace

TfrmRiepDaPagare::TfrmRiepDaPagare(QWidget* owner, const voucher::OpenArchive& archive)
    : ListWindow(owner, archive,
                 {QStringLiteral(" Riepilogo buoni acquisto non incassati"), Outline,
                  "unpaid_banner.svg",
                  QStringLiteral("Fare doppio clic sulla voce in elenco per richiamare "
                                 "la scheda")}) {
    setObjectName(QStringLiteral("frmRiepDaPagare"));
    panContainer = new QWidget(this);
    panContainer->setObjectName(QStringLiteral("panContainer"));
    panContainer->setGeometry(14, 15, 833, 529);
    buildResultsPanel(panContainer, "icoIstruzioni01", {8, 67, 645, 31});

    lblTotali = new QLabel(panContainer);
    lblTotali->setObjectName(QStringLiteral("lblTotali"));
    lblTotali->setGeometry(168, 488, 497, 30);
    lblTotali->setAlignment(Qt::AlignCenter);
    lblTotali->setWordWrap(true);
    ui::setDesignFont(lblTotali, QStringLiteral("Verdana"), 8.5, true, DarkCyan);

    setTabOrder(txtTrova, lstRecords);
    setTabOrder(lstRecords, btnStampa);
    setTabOrder(btnStampa, btnTrova);
    setTabOrder(btnTrova, btnChiudi);
    connect(btnStampa, &QPushButton::clicked, this, &TfrmRiepDaPagare::btnStampaClick);
}

void TfrmRiepDaPagare::showEvent(QShowEvent* event) {
    ListWindow::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void TfrmRiepDaPagare::FormShow() {
    resetFind();
    clearList();
    UnpaidTotals totals;
    ui::WorkProgress progress(this, QStringLiteral("Lettura dei buoni non incassati in corso..."),
                              ScanDelayMs, ui::WorkProgress::Cancel::No);
    ListScan scan =
        unpaidVouchers(archivePath(), progress.callback(), &totals, QDate::currentDate());
    fillList(std::move(scan.rows));
    lblTotali->setText(totals.summary());
    txtTrova->setFocus();
    // An archive that could not be read must not pass for one whose vouchers
    // have all been cashed: say so, and keep what was read.
    if (!scan.outcome)
        platform::MessageBoxes::current().plain(this, AccessFailure);
}

void TfrmRiepDaPagare::btnStampaClick() {
    printList(Title);
}

void TfrmRiepDaPagare::lstRecordsDblClick() {
    openChosenEntry(true, isUnpaid);
}

} // namespace scontrix::lists
