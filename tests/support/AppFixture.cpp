#include "AppFixture.h"

#include "access/TfrmPassword.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "editor/TfrmBiglietti.h"
#include "editor/TfrmCalendario.h"
#include "export/TfrmExpBiglietti.h"
#include "guide/TfrmGuida.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"

#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace scontrix::test {

void AppFixture::SetUp() {
    QFile store(QStringLiteral(SCONTRIX_SOURCE_DIR "/resources/unins000.dll"));
    ASSERT_TRUE(store.open(QIODevice::ReadOnly));
    folder.write(QStringLiteral("unins000.dll"), store.readAll());
    windows = std::make_unique<app::WindowSet>();
    windows->setEndHandler([this] { ++ends; });
    windows->start();
    QApplication::processEvents();
}

void AppFixture::TearDown() {
    windows.reset();
    QApplication::processEvents();
}

QList<QWidget*> AppFixture::visiblePersistent() const {
    // Read off the screen rather than through the window set, which would
    // build every window it was asked for and hide a flow that never does.
    static const QStringList persistentNames = {
        QStringLiteral("frmPassword"),       QStringLiteral("frmAvvio"),
        QStringLiteral("frmApriArchivio"),   QStringLiteral("frmBiglietti"),
        QStringLiteral("frmCambiaPassword"), QStringLiteral("frmCreaArchivio")};
    QList<QWidget*> visible;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && persistentNames.contains(w->objectName()))
            visible << w;
    }
    return visible;
}

QWidget* AppFixture::builtWindow(const char* objectName) {
    QWidget* found = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String(objectName)) {
            EXPECT_EQ(found, nullptr) << "two windows " << objectName;
            found = w;
        }
    }
    return found;
}

void AppFixture::logIn() {
    // Typed and clicked as at the counter, so the flow's own route is the one taken.
    access::TfrmPassword* login = windows->frmPassword();
    QTest::keyClicks(login->txtPassword, QStringLiteral("lucernaviolina"));
    QTest::mouseClick(login->cmdOK, Qt::LeftButton);
    QApplication::processEvents();
}

std::vector<std::unique_ptr<QWidget>> AppFixture::makeDialogs(editor::TfrmBiglietti* owner) {
    std::vector<std::unique_ptr<QWidget>> dialogs;
    const printing::VoucherSheetData sheet;
    const voucher::OpenArchive archive = owner->archive();
    dialogs.push_back(std::make_unique<printing::TfrmAnteprimaBiglietto>(owner, sheet));
    dialogs.push_back(std::make_unique<exporting::TfrmExpBiglietti>(owner, archive));
    dialogs.push_back(std::make_unique<guide::TfrmGuida>(owner, guide::startScreenTopic()));
    dialogs.push_back(std::make_unique<app::TfrmInfo>(owner));
    dialogs.push_back(std::make_unique<lists::TfrmRiepDaPagare>(owner, archive));
    dialogs.push_back(std::make_unique<app::TfrmSplash>(owner));
    dialogs.push_back(std::make_unique<printing::TfrmStampaBiglietto>(owner, sheet));
    dialogs.push_back(std::make_unique<lists::TfrmTrovaBiglietti>(
        owner, archive, lists::TfrmTrovaBiglietti::Caller::Editor));
    dialogs.push_back(std::make_unique<editor::TfrmCalendario>(owner));
    return dialogs;
}

void focus(QWidget* widget) {
    QWidget* window = widget->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    widget->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

} // namespace scontrix::test
