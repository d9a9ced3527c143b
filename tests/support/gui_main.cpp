#include "TestLocale.h"
#include "app/Application.h"
#include "app/Startup.h"

#include <QApplication>
#include <gtest/gtest.h>

// Every test executable runs on the program's own application object,
// offscreen on a full-HD screen unless told otherwise, with the process-wide
// formats the program applies at start-up.
int main(int argc, char** argv) {
    if (!scontrix::test::localeInForce(argc, argv))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", SCONTRIX_TEST_PLATFORM);
    scontrix::app::Application app(argc, argv);
    scontrix::app::prepareProcess();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
