#include "app/Startup.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

// Benchmarks run on a QGuiApplication (fonts and images need one), offscreen,
// with the process-wide settings of the program.
int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    scontrix::app::prepareProcess();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
