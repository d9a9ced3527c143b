#include "AppFixture.h"

#include "access/TfrmPassword.h"

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

void focus(QWidget* widget) {
    QWidget* window = widget->window();
    window->activateWindow();
    QApplication::setActiveWindow(window);
    widget->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

} // namespace scontrix::test
