#include "ExportFixture.h"

#include "OpenEditor.h"
#include "Typing.h"
#include "app/TfrmAvvio.h"
#include "editor/TfrmBiglietti.h"
#include "export/VoucherGrid.h"
#include "export/VoucherTable.h"

#include <QLabel>
#include <QLineEdit>

namespace scontrix::test {

void ExportFixture::SetUp() {
    AppFixture::SetUp();
    logIn();
}

void ExportFixture::TearDown() {
    // Owned by the editor: gone before the windows go.
    window_.reset();
    AppFixture::TearDown();
}

void ExportFixture::writeArchive(const QList<storage::VoucherRecord>& records) {
    QByteArray bytes;
    for (const auto& r : records)
        bytes += r.toBytes();
    folder.write(QStringLiteral("Negozio.eur"), bytes);
}

void ExportFixture::writeNumbered(int count) {
    QByteArray bytes;
    bytes.reserve(qsizetype(count) * storage::VoucherRecord::Size);
    for (int i = 1; i <= count; ++i)
        bytes += numbered(i).toBytes();
    folder.write(QStringLiteral("Negozio.eur"), bytes);
}

exporting::TfrmExpBiglietti*
ExportFixture::openExport(const std::function<void(exporting::TfrmExpBiglietti*)>& beforeShow) {
    editor::TfrmBiglietti* ed = windows->frmBiglietti();
    if (!ed->isVisible())
        ed = openEditorOn(*windows);
    window_ = std::make_unique<exporting::TfrmExpBiglietti>(ed, ed->archive());
    if (beforeShow)
        beforeShow(window_.get());
    window_->show();
    focus(window_.get());
    return window_.get();
}

int ExportFixture::column(const char* name) {
    const int c = exporting::VoucherTable::columnNamed(QString::fromLatin1(name));
    if (c < 0)
        ADD_FAILURE() << "no column " << name;
    return c;
}

QString ExportFixture::cell(int row, const char* name) const {
    return window_->records()->text(row, column(name));
}

void ExportFixture::typeInto(int row, const char* name, const QString& text, bool enter) {
    exporting::VoucherGrid* grid = window_->grdRecords;
    const QModelIndex index = grid->model()->index(row, column(name));
    grid->scrollTo(index);
    const QPoint at = grid->visualRect(index).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, at);
    QApplication::processEvents();
    // Where no editor opened, the first key goes to the grid, which opens one
    // on a key press if the cell takes edits; the rest goes to that editor.
    QWidget* target = grid->indexWidget(index);
    if (auto* editor = qobject_cast<QLineEdit*>(target)) {
        editor->selectAll();
        typeText(editor, text);
    } else {
        target = grid;
        typeText(grid, text.left(1));
        if (QWidget* opened = grid->indexWidget(index))
            target = opened;
        typeText(target, text.mid(1));
    }
    if (enter)
        QTest::keyClick(target, Qt::Key_Return);
    QApplication::processEvents();
}

void ExportFixture::click(QWidget* widget) {
    QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    QApplication::processEvents();
}

} // namespace scontrix::test
