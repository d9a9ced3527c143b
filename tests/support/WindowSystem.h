#pragma once

#include <QCoreApplication>
#include <QShowEvent>
#include <QWidget>
#include <QtTest/qtestspontaneevent.h>

namespace scontrix::test {

// What a window gets when the window system shows it again after a minimise,
// a "show desktop" or a switch of workspace: a show event that the program
// did not ask for (spontaneous), while the window stays as it was.
inline void showAgainByTheWindowSystem(QWidget* window) {
    QShowEvent event;
    QSpontaneKeyEvent::setSpontaneous(&event);
    // notify(), not sendEvent(): sendEvent marks every event as the program's own.
    QCoreApplication::instance()->notify(window, &event);
}

} // namespace scontrix::test
