#include "EditorFixture.h"

#include "OpenEditor.h"
#include "app/TfrmAvvio.h"
#include "ui/Picture.h"

#include <QDir>
#include <QFile>
#include <QLabel>

namespace scontrix::test {

void EditorFixture::SetUp() {
    AppFixture::SetUp();
    logIn();
}

storage::VoucherRecord EditorFixture::voucher(int n) {
    storage::VoucherRecord r;
    r.acquirente = QStringLiteral("Cliente %1").arg(n);
    r.via = QStringLiteral("Via Roma %1").arg(n);
    r.citta = QStringLiteral("Città %1").arg(n);
    r.cel = QStringLiteral("33312345%1").arg(n);
    r.num = QString::number(n);
    r.prezzo = QStringLiteral("01/03/2024");
    r.spettatore = QStringLiteral("31/03/2024");
    r.posto = QStringLiteral("Beneficiario %1").arg(n);
    r.evento = QStringLiteral("%1,00").arg(n * 5);
    r.luogo = QStringLiteral("Bar Centrale");
    r.scritta = QStringLiteral("Spesa minima %1 euro").arg(n);
    r.note = QStringLiteral("Nota %1").arg(n);
    r.pagato = n % 2 == 0;
    return r;
}

void EditorFixture::writeArchive(int count) {
    QByteArray bytes;
    for (int i = 1; i <= count; ++i)
        bytes += voucher(i).toBytes();
    folder.write(QStringLiteral("Negozio.eur"), bytes);
}

void EditorFixture::writeLogo(int position, const QColor& colour) {
    QDir().mkpath(folder.file(QStringLiteral("Logo_Ditta")));
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(colour);
    ASSERT_TRUE(image.save(logo(position), "JPEG"));
}

void EditorFixture::openEditor() {
    if (ed()->isVisible())
        ed()->close();
    openEditorOn(*windows);
    focus(ed()->txtAcquirente);
}

void EditorFixture::click(const char* name) {
    QWidget* target = control<QWidget>(ed(), name);
    ASSERT_TRUE(target);
    QTest::mouseClick(target, Qt::LeftButton, {}, target->rect().center());
    QApplication::processEvents();
}

QColor EditorFixture::logoColour() const {
    const QImage image = ed()->imgFoto->image();
    return image.pixelColor(image.width() / 2, image.height() / 2);
}

QStringList EditorFixture::fieldTexts() const {
    QStringList texts;
    for (QLineEdit* f : ed()->recordFields())
        texts << f->text();
    return texts;
}

} // namespace scontrix::test
