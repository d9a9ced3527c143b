#include "app/Startup.h"

#include <benchmark/benchmark.h>

// Benchmarks run on a QGuiApplication (fonts and images need one), offscreen,
// with the process-wide settings of the program; those that show windows on a
// QApplication.
#ifdef SCONTRIX_BENCH_WIDGETS
#include <QApplication>
using BenchApplication = QApplication;
#else
#include <QGuiApplication>
using BenchApplication = QGuiApplication;
#endif

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    BenchApplication app(argc, argv);
    scontrix::app::prepareProcess();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
