#include "ui/Windows.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>

namespace scontrix::ui {

GradientBackground::GradientBackground(const QColor& top, const QColor& bottom, QWidget* parent)
    : QWidget(parent), top_(top), bottom_(bottom) {}

void GradientBackground::paintEvent(QPaintEvent*) {
    QPainter p(this);
    QLinearGradient g(0, 0, 0, height());
    g.setColorAt(0, top_);
    g.setColorAt(1, bottom_);
    p.fillRect(rect(), g);
}

QWidget* makeContainer(QWidget* parent, QSize size) {
    auto* container = new QWidget(parent);
    container->setObjectName(QStringLiteral("panContainer"));
    container->setFixedSize(size);
    return container;
}

namespace {

// Keeps the container in the middle of the backdrop, whatever its size.
class CentringBackground final : public GradientBackground {
public:
    CentringBackground(const QColor& top, QWidget* parent)
        : GradientBackground(top, Qt::white, parent) {}
    QWidget* content = nullptr;

protected:
    void resizeEvent(QResizeEvent* event) override {
        GradientBackground::resizeEvent(event);
        if (content)
            content->move((width() - content->width()) / 2, (height() - content->height()) / 2);
    }
};

} // namespace

FullScreenWindow::FullScreenWindow(const QString& caption, QSize containerSize,
                                   const QColor& gradientTop, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(caption);
    resize(designClientSize);

    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    // A click on an empty part of the window must leave the keyboard where it
    // was, never hand it to the scroll area where nothing shows it.
    scroll_->setFocusPolicy(Qt::NoFocus);
    scroll_->setWidgetResizable(true);
    scroll_->setAlignment(Qt::AlignCenter);
    // Scrolling is the mouse's business; the keyboard walks the controls only.
    scroll_->setFocusPolicy(Qt::NoFocus);

    auto* background = new CentringBackground(gradientTop, nullptr);
    background->setObjectName(QStringLiteral("bkgWindow"));
    // Never smaller than the content plus a small margin: below that the area scrolls.
    background->setMinimumSize(containerSize + QSize(8, 8));
    container_ = makeContainer(background, containerSize);
    background->content = container_;
    scroll_->setWidget(background);
}

void FullScreenWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    scroll_->setGeometry(rect());
}

namespace {

// Some window managers draw minimise, maximise and close buttons whatever the
// window asks for. A fixed window minimised there may have nothing to bring it
// back (a modal dialog would leave its owner blocked and nothing on screen),
// so it returns to its normal state at once.
class FixedFrameKeeper final : public QObject {
public:
    using QObject::QObject;

    static constexpr Qt::WindowStates refused{Qt::WindowMinimized | Qt::WindowMaximized |
                                              Qt::WindowFullScreen};

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::WindowStateChange) {
            auto* window = static_cast<QWidget*>(watched);
            if (window->windowState() & refused) {
                QTimer::singleShot(0, window, [window] {
                    window->setWindowState(window->windowState() & ~refused);
                    if (window->isVisible()) {
                        window->raise();
                        window->activateWindow();
                    }
                });
            }
        }
        return false;
    }
};

} // namespace

void makeFixedFrame(QWidget* window, QSize clientSize) {
    // Keep the window's type (window or dialog); ask for a title bar and nothing else on it.
    const Qt::WindowFlags type = window->windowFlags() & Qt::WindowType_Mask;
    window->setWindowFlags(type | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    window->setFixedSize(clientSize);
    if (!window->findChild<FixedFrameKeeper*>(QString(), Qt::FindDirectChildrenOnly))
        window->installEventFilter(new FixedFrameKeeper(window));
}

QSize frameAllowance(const QWidget* window) {
    const QSize drawn = window->frameGeometry().size() - window->size();
    if (window->isVisible() && !drawn.isEmpty())
        return drawn;
    // Not drawn yet: a title bar and thin borders, as most desktops draw them.
    return {8, 32};
}

void centreOnScreen(QWidget* window) {
    QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    window->move(area.center() - QPoint(frame.width() / 2, frame.height() / 2));
}

FixedWindow::FixedWindow(const QString& caption, QSize clientSize, QSize containerSize,
                         const QColor& gradientTop, QWidget* parent)
    : QWidget(parent, Qt::Window) {
    setWindowTitle(caption);
    makeFixedFrame(this, clientSize);
    auto* background = new GradientBackground(gradientTop, Qt::white, this);
    background->setObjectName(QStringLiteral("bkgWindow"));
    background->setGeometry(0, 0, clientSize.width(), clientSize.height());
    container_ = makeContainer(background, containerSize);
    container_->move((clientSize.width() - containerSize.width()) / 2,
                     (clientSize.height() - containerSize.height()) / 2);
}

void FixedWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (!placed_) {
        placed_ = true;
        centreOnScreen(this);
    }
}

DialogWindow::DialogWindow(QWidget* owner, const QString& caption, QSize clientSize,
                           Placement placement)
    : QDialog(owner), placement_(placement) {
    setAttribute(Qt::WA_DeleteOnClose, false);
    setWindowTitle(caption);
    setModal(true);
    makeFixedFrame(this, clientSize);
}

void DialogWindow::fitOnScreen() {
    QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QSize room = screen->availableGeometry().size() - frameAllowance(this);
    const QSize design = scroll_ ? scroll_->widget()->size() : size();
    if (design.width() <= room.width() && design.height() <= room.height())
        return;
    if (!scroll_) {
        // The content keeps its design size and positions on a body of its
        // own; the window shows as much of it as the screen holds.
        auto* body = new QWidget;
        body->setObjectName(QStringLiteral("panScroll"));
        body->setFixedSize(design);
        const QList<QWidget*> children = findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        for (QWidget* child : children) {
            if (child->isWindow())
                continue;
            const QRect place = child->geometry();
            const bool hidden = child->isHidden();
            child->setParent(body);
            child->setGeometry(place);
            child->setVisible(!hidden);
        }
        scroll_ = new QScrollArea(this);
        scroll_->setObjectName(QStringLiteral("scrContent"));
        scroll_->setFrameShape(QFrame::NoFrame);
        scroll_->setFocusPolicy(Qt::NoFocus);
        scroll_->setWidget(body);
        scroll_->show();
    }
    // Room for the scroll bar across the one direction that scrolls, where
    // the screen has it, so that the other direction need not scroll too.
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    QSize wanted = design;
    if (design.height() > room.height())
        wanted.rwidth() += bar;
    if (design.width() > room.width())
        wanted.rheight() += bar;
    setFixedSize(wanted.boundedTo(room));
    scroll_->setGeometry(rect());
}

void DialogWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && !escapeCancels_) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void DialogWindow::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (scroll_)
        scroll_->setGeometry(rect());
}

void DialogWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fitOnScreen();
    if (placement_ == Placement::ScreenCentre || !parentWidget()) {
        centreOnScreen(this);
    } else {
        const QRect ownerFrame = parentWidget()->window()->frameGeometry();
        move(ownerFrame.center() -
             QPoint(frameGeometry().width() / 2, frameGeometry().height() / 2));
    }
}

} // namespace scontrix::ui
