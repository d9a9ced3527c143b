#include "ui/LinkText.h"

#include "ui/Accessibility.h"
#include "ui/Style.h"

#include <QMouseEvent>

namespace scontrix::ui {

LinkText::LinkText(const QString& text, QWidget* parent) : QLabel(text, parent) {
    installAccessibleControls();
    QFont font = designFont(QStringLiteral("Tahoma"), 14);
    font.setUnderline(true);
    setFont(font);
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    setColour(Idle);
    adjustSize();
}

void LinkText::addPartner(QWidget* icon) {
    icon->installEventFilter(this);
}

void LinkText::fitWithin(int width) {
    QFont f = font();
    while (f.pixelSize() > 8 && QFontMetrics(f).horizontalAdvance(text()) > width)
        f.setPixelSize(f.pixelSize() - 1);
    setFont(f);
    adjustSize();
}

void LinkText::MouseDown() {
    setColour(Pressed);
}

void LinkText::MouseUp() {
    setColour(Idle);
}

void LinkText::setColour(const QColor& colour) {
    colour_ = colour;
    QPalette p = palette();
    p.setColor(QPalette::WindowText, colour);
    setPalette(p);
}

void LinkText::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MouseDown();
        event->accept();
        return;
    }
    QLabel::mousePressEvent(event);
}

void LinkText::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        MouseUp();
        event->accept();
        // A press dragged off the text and released elsewhere is no click.
        if (rect().contains(event->position().toPoint()))
            emit clicked();
        return;
    }
    QLabel::mouseReleaseEvent(event);
}

bool LinkText::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            MouseDown();
    } else if (event->type() == QEvent::MouseButtonRelease) {
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            MouseUp();
    }
    return QLabel::eventFilter(watched, event);
}

} // namespace scontrix::ui
