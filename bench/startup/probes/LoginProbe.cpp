// The program's own start, up to the login window drawn once, then the end.
// Run as a process by bench/startup beside MinimalWindowProbe.
#include "FirstPaint.h"
#include "access/TfrmPassword.h"
#include "app/Application.h"
#include "app/Startup.h"
#include "app/WindowSet.h"

int main(int argc, char** argv) {
    scontrix::app::prepareBeforeApplication();
    scontrix::app::Application application(argc, argv);
    scontrix::app::prepareProcess();

    scontrix::app::WindowSet windows;
    const FirstPaint painted(windows.frmPassword());
    windows.start();
    return scontrix::app::Application::exec();
}
