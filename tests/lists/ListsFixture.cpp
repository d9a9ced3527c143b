#include "ListsFixture.h"

#include "OpenEditor.h"
#include "app/TfrmAvvio.h"

#include <QAbstractButton>
#include <QLabel>
#include <QTest>

namespace scontrix::test {

storage::VoucherRecord Voucher::record() const {
    storage::VoucherRecord r;
    r.acquirente = customer;
    r.via = QStringLiteral("Via Roma 1");
    r.citta = QStringLiteral("Torino");
    r.cel = cel;
    r.num = num;
    r.prezzo = QStringLiteral("01/03/2024");
    r.spettatore = expiry;
    r.posto = beneficiary;
    r.evento = value;
    r.luogo = QStringLiteral("Bar Centrale");
    r.scritta = QStringLiteral("Nessuna");
    r.note = note;
    r.pagato = cashed;
    return r;
}

void ListsFixture::SetUp() {
    AppFixture::SetUp();
    logIn();
}

void ListsFixture::writeArchive(const QList<Voucher>& vouchers) {
    QList<storage::VoucherRecord> records;
    for (const Voucher& v : vouchers)
        records << v.record();
    writeRecords(records);
}

void ListsFixture::writeRecords(const QList<storage::VoucherRecord>& records) {
    QByteArray bytes;
    for (const storage::VoucherRecord& r : records)
        bytes += r.toBytes();
    writeBytes(bytes);
}

void ListsFixture::openEditor() {
    openEditorOn(*windows);
    QApplication::processEvents();
}

QStringList ListsFixture::shown(QListView* list) {
    QStringList texts;
    const QAbstractItemModel* model = list->model();
    for (int i = 0; i < model->rowCount(); ++i)
        texts << model->index(i, 0).data().toString();
    return texts;
}

int ListsFixture::selectedRow(QListView* list) {
    const QModelIndex current = list->currentIndex();
    if (!current.isValid() || !list->selectionModel()->isSelected(current))
        return -1;
    return current.row();
}

void ListsFixture::click(QWidget* window, const char* name) {
    auto* button = window->findChild<QAbstractButton*>(QString::fromLatin1(name));
    if (!button) {
        ADD_FAILURE() << "no button " << name;
        return;
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

void ListsFixture::doubleClickRow(QListView* list, int row) {
    const QModelIndex index = list->model()->index(row, 0);
    list->scrollTo(index);
    const QPoint at = list->visualRect(index).center();
    // A click, then the double click itself, as the window system sends them:
    // the first press is what selects the entry.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

} // namespace scontrix::test
