#include <QApplication>
#include <gtest/gtest.h>

#include "app/Startup.h"

// Every test executable runs on one QApplication, offscreen, with the
// process-wide formats the program itself applies at start-up.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    scontrix::app::prepareProcess();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
