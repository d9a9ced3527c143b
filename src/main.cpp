#include "app/Startup.h"
#include "app/WindowSet.h"

#include <QApplication>

int main(int argc, char** argv) {
    scontrix::app::prepareBeforeApplication();
    QApplication application(argc, argv);
    scontrix::app::prepareProcess();

    scontrix::app::WindowSet windows;
    windows.start();
    return QApplication::exec();
}
