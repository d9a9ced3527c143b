#pragma once

#include <QString>

// The one way the program hands something to the desktop to open.
namespace scontrix::guide::TMisc {

// Opens `command` (a file path, possibly in double quotes because it may hold
// blanks; an https address; a mailto link) with the program the desktop
// associates with it. Nothing is reported: a target that cannot be opened
// simply leaves the windows as they were.
void Open(const QString& command);

} // namespace scontrix::guide::TMisc
