#pragma once

class QObject;

namespace scontrix::ui {

// Makes Enter press the push button that has the keyboard focus, as Space
// does, in every window of the program: dialogs turn their buttons' own
// Enter off (so that Enter in a field never fires a button), which would
// otherwise leave a shopkeeper on the keyboard with no way to print.
// Installed once on the application object, which owns it.
void pressFocusedButtonsOnEnter(QObject* application);

} // namespace scontrix::ui
