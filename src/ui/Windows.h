#pragma once

#include <QColor>
#include <QDialog>
#include <QWidget>
#include <utility>

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
// Where a window manager draws minimise or maximise buttons all the same, the
// window comes back to its fixed size at once instead.
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
// On a screen too small for it (a netbook, a large scaling) it shrinks to the
// screen and its content scrolls, so that every control can still be reached.
// It is left through its own buttons: Escape does not close it (a stray
// Escape would throw away typed filters or a chosen print), unless the window
// says so (a dialog with a Cancel button, as the report engine's have).
class DialogWindow : public QDialog {
    Q_OBJECT
public:
    DialogWindow(QWidget* owner, const QString& caption, QSize clientSize, Placement placement);

    // The scroll area the content moved into on a small screen, or none.
    QScrollArea* scrollArea() const { return scroll_; }

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // For a dialog whose Cancel button Escape stands for.
    void letEscapeCancel() { escapeCancels_ = true; }

private:
    void fitOnScreen();

    Placement placement_;
    QScrollArea* scroll_ = nullptr;
    bool escapeCancels_ = false;
};

// Room a window's frame takes around its client area: the real one once the
// window system has drawn it, a title bar's worth before.
QSize frameAllowance(const QWidget* window);

// Opens a dialog window as the program does: a new instance owned by `owner`,
// run modally and destroyed as soon as its run ends. Returns the dialog's result.
template <typename Dialog, typename... Args> int openDialog(QWidget* owner, Args&&... args) {
    Dialog dialog(owner, std::forward<Args>(args)...);
    return dialog.exec();
}

} // namespace scontrix::ui
