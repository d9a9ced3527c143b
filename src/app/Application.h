#pragma once

#include <QApplication>

namespace scontrix::app {

// The program's application object. Every event of every window is delivered
// through notify(), so this is where an error that no handler caught ends up:
// the user reads its own description in an error box and the program, with
// its windows as they were, goes on. Without it the first such error would
// end the program and take the unsaved voucher on screen with it.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;

    // Shows the general error report for an error with this description.
    static void reportUncaughtError(const QString& description);
};

} // namespace scontrix::app
