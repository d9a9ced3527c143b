#include "AppFixture.h"

#include "access/TfrmPassword.h"
#include "app/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "editor/TfrmBiglietti.h"
#include "editor/TfrmCalendario.h"
#include "export/TfrmExpBiglietti.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"

#include <QFile>
#include <QLineEdit>

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
    QList<QWidget*> visible;
    for (QWidget* w : windows->persistent()) {
        if (w->isVisible())
            visible << w;
    }
    return visible;
}

void AppFixture::logIn() {
    access::TfrmPassword* login = windows->frmPassword();
    login->txtPassword->setText(QStringLiteral("lucernaviolina"));
    login->cmdOKClick();
    QApplication::processEvents();
}

std::vector<std::unique_ptr<QWidget>> AppFixture::makeDialogs(editor::TfrmBiglietti* owner) {
    std::vector<std::unique_ptr<QWidget>> dialogs;
    dialogs.push_back(std::make_unique<printing::TfrmAnteprimaBiglietto>(owner));
    dialogs.push_back(std::make_unique<exporting::TfrmExpBiglietti>(owner));
    dialogs.push_back(std::make_unique<app::TfrmGuida>(owner));
    dialogs.push_back(std::make_unique<app::TfrmInfo>(owner));
    dialogs.push_back(std::make_unique<lists::TfrmRiepDaPagare>(owner));
    dialogs.push_back(std::make_unique<app::TfrmSplash>(owner));
    dialogs.push_back(std::make_unique<printing::TfrmStampaBiglietto>(owner));
    dialogs.push_back(std::make_unique<lists::TfrmTrovaBiglietti>(owner));
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
