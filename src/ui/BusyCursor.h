#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace scontrix::ui {

// Shows the busy cursor over every window of the program for its lifetime:
// for work that holds the user-interface thread and may take a moment.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace scontrix::ui
