#include "ui/Accessibility.h"

#include "ui/LinkText.h"
#include "ui/Picture.h"

#include <QAccessible>
#include <QMetaObject>
#include <QWidget>

namespace scontrix::ui {

void nameControls(std::initializer_list<AccessibleText> rows) {
    for (const AccessibleText& row : rows) {
        row.control->setAccessibleName(QString::fromUtf8(row.name));
        if (row.hint)
            row.control->setStatusTip(QString::fromUtf8(row.hint));
    }
}

void nameByCaption(QWidget* field, const QString& caption) {
    QString name = caption.trimmed();
    if (name.endsWith(u':'))
        name.chop(1);
    field->setAccessibleName(name.trimmed());
}

AccessiblePicture::AccessiblePicture(Picture* picture)
    : QAccessibleWidget(picture, QAccessible::Button) {}

Picture* AccessiblePicture::picture() const {
    return static_cast<Picture*>(widget());
}

QAccessible::Role AccessiblePicture::role() const {
    return picture()->isClickable() ? QAccessible::Button : QAccessible::Graphic;
}

QAccessible::State AccessiblePicture::state() const {
    QAccessible::State state = QAccessibleWidget::state();
    // Pictures never take the keyboard focus: the windows' keyboard order
    // leaves them out, and assistive technology presses them instead.
    state.focusable = false;
    return state;
}

QString AccessiblePicture::text(QAccessible::Text t) const {
    const QWidget* w = widget();
    switch (t) {
    case QAccessible::Name:
        return w->accessibleName().isEmpty() ? w->toolTip() : w->accessibleName();
    case QAccessible::Description:
        if (!w->accessibleDescription().isEmpty())
            return w->accessibleDescription();
        return w->statusTip().isEmpty() ? w->toolTip() : w->statusTip();
    case QAccessible::Help:
        return w->statusTip();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessiblePicture::actionNames() const {
    if (!picture()->isClickable())
        return {};
    return {pressAction()};
}

void AccessiblePicture::doAction(const QString& actionName) {
    if (actionName != pressAction() || !picture()->isClickable() || !picture()->isEnabled())
        return;
    // Later, as a button's animated click does: the action may open a modal
    // window, and the caller is waiting for this call to return.
    QMetaObject::invokeMethod(picture(), &Picture::click, Qt::QueuedConnection);
}

QStringList AccessiblePicture::keyBindingsForAction(const QString&) const {
    return {};
}

AccessibleLinkText::AccessibleLinkText(LinkText* link)
    : QAccessibleWidget(link, QAccessible::Link) {}

LinkText* AccessibleLinkText::link() const {
    return static_cast<LinkText*>(widget());
}

QString AccessibleLinkText::text(QAccessible::Text t) const {
    const LinkText* l = link();
    switch (t) {
    case QAccessible::Name:
        return l->accessibleName().isEmpty() ? l->text() : l->accessibleName();
    case QAccessible::Description:
        return l->accessibleDescription().isEmpty() ? l->statusTip() : l->accessibleDescription();
    case QAccessible::Value:
        return l->text();
    default:
        return QAccessibleWidget::text(t);
    }
}

QStringList AccessibleLinkText::actionNames() const {
    return {pressAction()};
}

void AccessibleLinkText::doAction(const QString& actionName) {
    if (actionName != pressAction() || !link()->isEnabled())
        return;
    LinkText* l = link();
    QMetaObject::invokeMethod(
        l, [l] { emit l->clicked(); }, Qt::QueuedConnection);
}

QStringList AccessibleLinkText::keyBindingsForAction(const QString&) const {
    return {};
}

namespace {

QAccessibleInterface* controlFactory(const QString& className, QObject* object) {
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1StringView(Picture::staticMetaObject.className()))
        return new AccessiblePicture(static_cast<Picture*>(object));
    if (className == QLatin1StringView(LinkText::staticMetaObject.className()))
        return new AccessibleLinkText(static_cast<LinkText*>(object));
    return nullptr;
}

} // namespace

void installAccessibleControls() {
    static const bool installed = [] {
        QAccessible::installFactory(controlFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace scontrix::ui
