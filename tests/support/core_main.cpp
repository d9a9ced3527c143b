#include "TestLocale.h"
#include "app/Startup.h"

#include <QGuiApplication>
#include <gtest/gtest.h>

// The core tests run on a QGuiApplication (images and fonts need one) with the
// process-wide formats the program applies at start-up, and no widgets at all.
int main(int argc, char** argv) {
    if (!scontrix::test::localeInForce(argc, argv))
        return 2;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    scontrix::app::prepareProcess();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
