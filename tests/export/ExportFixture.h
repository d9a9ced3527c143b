#pragma once

#include "AppFixture.h"
#include "core/ExportData.h"
#include "export/TfrmExpBiglietti.h"
#include "storage/VoucherRecord.h"

#include <QList>
#include <functional>
#include <memory>

namespace scontrix::test {

// The program with the editor open on archive "Negozio" of a temporary
// program folder, and the export window made by the editor as its own.
class ExportFixture : public AppFixture {
protected:
    void SetUp() override;
    void TearDown() override;

    QString archive() const { return folder.file(QStringLiteral("Negozio.eur")); }
    QString exported() const { return folder.file(QStringLiteral("Buoni_Acquisto.xls")); }
    QByteArray exportedBytes() const { return folder.read(QStringLiteral("Buoni_Acquisto.xls")); }

    void writeArchive(const QList<storage::VoucherRecord>& records);
    void writeNumbered(int count);

    // Shows the editor on the archive, then the export window over it (not
    // in a modal run, so that the test can drive it).
    // `beforeShow` may set the window up before it is first shown (and filled).
    exporting::TfrmExpBiglietti*
    openExport(const std::function<void(exporting::TfrmExpBiglietti*)>& beforeShow = {});
    exporting::TfrmExpBiglietti* exp() const { return window_.get(); }

    static int column(const char* name);
    // The grid's cell at `row` of the column named `name`, as the grid shows it.
    QString cell(int row, const char* name) const;

    // Double-clicks the grid's cell, types `text` into the editor it opens
    // (or into the grid, where none opens) and, with `enter`, confirms it.
    void typeInto(int row, const char* name, const QString& text, bool enter);

    // A click with the mouse in the middle of `widget`.
    static void click(QWidget* widget);

private:
    std::unique_ptr<exporting::TfrmExpBiglietti> window_;
};

} // namespace scontrix::test
