#pragma once

#include <QString>

namespace scontrix::app {

// Must run before the QApplication exists: settings that only take effect then.
void prepareBeforeApplication();

// Process-wide settings in force from the first window on: the date and number
// formats, the stand-ins for the fonts the windows name and the program's icon.
void prepareProcess();

// Gives a program folder (with trailing separator) that has no password store
// the first-access one it ships, before the login window reads it. A store
// already there, changed or not, is never touched. When the folder cannot be
// written the login window simply finds no store and says the password is wrong.
void placeFirstAccessStore(const QString& programFolder);

// The program's icon, drawn for it; every window shows it.
inline constexpr const char* ProgramIcon = ":/artwork/app_icon.svg";

} // namespace scontrix::app
