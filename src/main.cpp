#include "app/Application.h"
#include "app/Startup.h"
#include "app/WindowSet.h"

int main(int argc, char** argv) {
    scontrix::app::prepareBeforeApplication();
    scontrix::app::Application application(argc, argv);
    scontrix::app::prepareProcess();

    scontrix::app::WindowSet windows;
    windows.start();
    return scontrix::app::Application::exec();
}
