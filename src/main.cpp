#include "app/Application.h"
#include "app/Startup.h"
#include "app/WindowSet.h"
#include "platform/ProgramFolder.h"

int main(int argc, char** argv) {
    scontrix::app::prepareBeforeApplication();
    scontrix::app::Application application(argc, argv);
    scontrix::app::prepareProcess();
    scontrix::app::placeFirstAccessStore(scontrix::platform::ProgramFolder::current().path());

    scontrix::app::WindowSet windows;
    windows.start();
    return scontrix::app::Application::exec();
}
