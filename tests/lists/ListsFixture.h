#pragma once

#include "AppFixture.h"
#include "editor/TfrmBiglietti.h"
#include "storage/VoucherRecord.h"

#include <QListView>
#include <QStringList>

namespace scontrix::lists {
class ListWindow;
}

namespace scontrix::test {

// A voucher by its list columns; the other fields get plain texts.
struct Voucher {
    QString customer;
    QString cel = QStringLiteral("3331234567");
    QString num = QStringLiteral("1");
    QString expiry = QStringLiteral("31/12/2024");
    QString beneficiary = QStringLiteral("Anna Bianchi");
    QString value = QStringLiteral("50,00");
    bool cashed = false;
    QString note = QStringLiteral("regalo");

    storage::VoucherRecord record() const;
};

// The editor opened on archive "Negozio" of a temporary program folder, as
// the archive selection window hands it over, with the archive's vouchers
// written beforehand.
class ListsFixture : public AppFixture {
protected:
    void SetUp() override;

    editor::TfrmBiglietti* ed() const { return windows->frmBiglietti(); }
    QString archive() const { return folder.file(QStringLiteral("Negozio.eur")); }

    void writeArchive(const QList<Voucher>& vouchers);
    void writeRecords(const QList<storage::VoucherRecord>& records);
    void writeBytes(const QByteArray& bytes) { folder.write(QStringLiteral("Negozio.eur"), bytes); }
    // Shows the editor on the archive.
    void openEditor();

    // The texts of a list window's entries, as the list view shows them.
    static QStringList shown(QListView* list);
    // The row of the list view's current entry, or -1.
    static int selectedRow(QListView* list);
    // Clicks a button of `window` found by its object name.
    static void click(QWidget* window, const char* name);
    static void doubleClickRow(QListView* list, int row);
};

} // namespace scontrix::test
