#pragma once

#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>
#include <functional>

typedef struct _AtspiAccessible AtspiAccessible;

namespace scontrix::test {

// One object of a running program as assistive technology reads it over the
// accessibility bus (libatspi), owned by this handle.
class AccessibleNode {
public:
    AccessibleNode() = default;
    explicit AccessibleNode(AtspiAccessible* adopted) : p_(adopted) {}
    AccessibleNode(const AccessibleNode& other);
    AccessibleNode& operator=(const AccessibleNode& other);
    ~AccessibleNode();

    // Connects this process to the accessibility bus of the session in its
    // environment; once per process.
    static bool connectToBus();
    // The application whose process is `pid`, as registered on the bus.
    static AccessibleNode application(qint64 pid);

    explicit operator bool() const { return p_ != nullptr; }
    QString name() const;
    QString description() const;
    QString roleName() const;
    bool isButton() const;
    bool isShowing() const;
    QList<AccessibleNode> children() const;

    // Every showing object under this one for which `match` holds.
    QList<AccessibleNode> findAll(const std::function<bool(const AccessibleNode&)>& match) const;
    AccessibleNode find(const std::function<bool(const AccessibleNode&)>& match) const;
    // The showing push button named `name`, first found.
    AccessibleNode button(const QString& name) const;
    // The showing window named `caption`.
    AccessibleNode window(const QString& caption) const;

    QStringList actions() const;
    bool doAction(const QString& action) const;
    bool setText(const QString& text) const;
    // The text of a field or label, as a screen reader reads it out.
    QString text() const;
    // Where the object is on the screen, in the screen's pixels.
    QRect extents() const;
    // Gives the object the keyboard focus, as assistive technology does.
    bool grabFocus() const;

private:
    AtspiAccessible* p_ = nullptr;
};

} // namespace scontrix::test
