#pragma once

#include <QColor>
#include <QDialog>
#include <QWidget>

class QScrollArea;

namespace scontrix::ui {

// A widget filled with a vertical gradient; the backdrop of every window.
class GradientBackground : public QWidget {
    Q_OBJECT
public:
    GradientBackground(const QColor& top, const QColor& bottom, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor top_;
    QColor bottom_;
};

// The content panel of a window, `panContainer`: the controls sit on it at
// their design positions; its size never changes.
QWidget* makeContainer(QWidget* parent, QSize size);

// A persistent, sizeable window that opens maximized. Its fixed-size content
// stays centred on the gradient; on a screen smaller than the design the
// window scrolls instead of cutting the content off.
class FullScreenWindow : public QWidget {
    Q_OBJECT
public:
    FullScreenWindow(const QString& caption, QSize containerSize, const QColor& gradientTop,
                     QWidget* parent = nullptr);

    QWidget* container() const { return container_; }

    static constexpr QSize designClientSize{1016, 713};

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QScrollArea* scroll_ = nullptr;
    QWidget* container_ = nullptr;
};

enum class Placement { ScreenCentre, OwnerCentre };

// Fixed border, title bar without buttons: left only through its own buttons.
void makeFixedFrame(QWidget* window, QSize clientSize);
void centreOnScreen(QWidget* window);

// A persistent window of fixed size (the login and change-password windows).
class FixedWindow : public QWidget {
    Q_OBJECT
public:
    FixedWindow(const QString& caption, QSize clientSize, QSize containerSize,
                const QColor& gradientTop, QWidget* parent = nullptr);
    QWidget* container() const { return container_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* container_ = nullptr;
    bool placed_ = false;
};

// A dialog window: made for one modal run over its owner, then destroyed.
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    DialogWindow(QWidget* owner, const QString& caption, QSize clientSize, Placement placement);

protected:
    void showEvent(QShowEvent* event) override;

private:
    Placement placement_;
};

} // namespace scontrix::ui
