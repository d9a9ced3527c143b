#pragma once

#include <QString>
#include <QTest>
#include <QWidget>

namespace scontrix::test {

// Types `text` into `widget` key by key, as a user would. QTest::keyClicks
// knows ASCII only; a letter such as "è" or "€" arrives here as the key event
// an Italian keyboard sends for it: no key code, the character as its text.
inline void typeText(QWidget* widget, const QString& text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x80)
            QTest::keyClick(widget, c.toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace scontrix::test
