// The least a Qt Widgets program does to show a window: one empty window,
// drawn once, then the end. The yardstick of the program's start-up.
#include "FirstPaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    const FirstPaint painted(&window);
    window.show();
    return QApplication::exec();
}
