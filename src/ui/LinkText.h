#pragma once

#include <QColor>
#include <QLabel>

namespace scontrix::ui {

// A clickable text of the guide, information and credits windows: underlined,
// dark blue, orange while the mouse button is held on it or on the small icon
// beside it (its partner), dark blue again on release. A click on the text
// emits clicked(); the icon's own click is connected by the window to the
// same action.
class LinkText : public QLabel {
    Q_OBJECT
public:
    LinkText(const QString& text, QWidget* parent);

    static inline const QColor Idle{0x00, 0x00, 0x8B};    // dark blue
    static inline const QColor Pressed{0xFF, 0xA5, 0x00}; // orange

    // Presses and releases on `icon` colour this text as if it were pressed.
    void addPartner(QWidget* icon);

    // Keeps the text within `width` pixels by lowering its size if needed, for
    // a place where a long address would otherwise run under a neighbour.
    void fitWithin(int width);

    QColor colour() const { return colour_; }

    // The two colour handlers shared by the text and its icon.
    void MouseDown();
    void MouseUp();

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void setColour(const QColor& colour);

    QColor colour_;
};

} // namespace scontrix::ui
