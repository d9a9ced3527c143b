#pragma once

#include <QAccessibleWidget>
#include <initializer_list>

class QWidget;

namespace scontrix::ui {

class LinkText;
class Picture;

// What assistive technology reads out for one control of a window: its name
// and, for a button, its status hint (the control's statusTip), read as its
// description. Each window keeps one table of these beside its layout.
struct AccessibleText {
    QWidget* control;
    const char* name;           // UTF-8
    const char* hint = nullptr; // UTF-8; none keeps the control's own status hint
};

void nameControls(std::initializer_list<AccessibleText> rows);

// A field named by the visible caption beside it, read without its colon.
void nameByCaption(QWidget* field, const QString& caption);

// A clickable picture as assistive technology sees it: a push button named by
// what it says or does, described by its status hint, that answers "press".
// A picture that is not clickable is a graphic.
class AccessiblePicture final : public QAccessibleWidget {
public:
    explicit AccessiblePicture(Picture* picture);

    QAccessible::Role role() const override;
    QAccessible::State state() const override;
    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    Picture* picture() const;
};

// A link text: a link named by its words (or its accessible name), described
// by its status hint, that answers "press" as a click does.
class AccessibleLinkText final : public QAccessibleWidget {
public:
    explicit AccessibleLinkText(LinkText* link);

    QString text(QAccessible::Text t) const override;
    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;

private:
    LinkText* link() const;
};

// Lets the accessibility layer build these for every picture and link text.
// Safe to call more than once; every picture and link calls it when made.
void installAccessibleControls();

} // namespace scontrix::ui
