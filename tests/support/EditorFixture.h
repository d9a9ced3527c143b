#pragma once

#include "AppFixture.h"
#include "editor/TfrmBiglietti.h"
#include "storage/VoucherRecord.h"

#include <QLineEdit>

namespace scontrix::test {

// The editor opened on archive "Negozio" of a temporary program folder, as the
// archive selection window hands it over.
class EditorFixture : public AppFixture {
protected:
    void SetUp() override;

    editor::TfrmBiglietti* ed() const { return windows->frmBiglietti(); }
    QString archive() const { return folder.file(QStringLiteral("Negozio.eur")); }
    QString logo(int position) const {
        return folder.file(QStringLiteral("Logo_Ditta/Negozio_Foto_%1.jpg").arg(position));
    }

    static storage::VoucherRecord voucher(int n);
    // Writes `count` vouchers 1..count into the archive, replacing it.
    void writeArchive(int count);
    // Writes a small square picture of `colour` as the logo of `position`.
    void writeLogo(int position, const QColor& colour);
    // (Re)opens the editor on the archive, from the start screen.
    void openEditor();
    // A mouse press and release on the editor's control of that name.
    void click(const char* name);

    // The colour at the middle of the picture on screen.
    QColor logoColour() const;
    QStringList fieldTexts() const;
};

} // namespace scontrix::test
