#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QTimer>
#include <QWidget>

// Ends the program as soon as `window` has been painted for the first time,
// or with code 1 if it never is within ten seconds.
class FirstPaint final : public QObject {
public:
    explicit FirstPaint(QWidget* window) : window_(window) {
        window->installEventFilter(this);
        QTimer::singleShot(10'000, [] { QCoreApplication::exit(1); });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::Paint)
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        return false;
    }

private:
    QWidget* window_;
};
