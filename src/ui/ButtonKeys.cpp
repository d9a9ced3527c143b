#include "ui/ButtonKeys.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>

namespace scontrix::ui {

namespace {

class EnterPressesButtons final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat() ||
            (key->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
            return false;
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible())
            return false;
        // Pressed, released and clicked, as a click or Space gives them.
        button->click();
        return true;
    }
};

} // namespace

void pressFocusedButtonsOnEnter(QObject* application) {
    application->installEventFilter(new EnterPressesButtons(application));
}

} // namespace scontrix::ui
