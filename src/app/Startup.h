#pragma once

namespace scontrix::app {

// Must run before the QApplication exists: settings that only take effect then.
void prepareBeforeApplication();

// Process-wide settings in force from the first window on: the date and number
// formats and the stand-ins for the fonts the windows name.
void prepareProcess();

} // namespace scontrix::app
