#include "app/Application.h"

#include "platform/MessageBoxes.h"
#include "ui/ButtonKeys.h"

#include <exception>

namespace scontrix::app {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    ui::pressFocusedButtonsOnEnter(this);
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportUncaughtError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportUncaughtError(QStringLiteral("Errore imprevisto."));
    }
    return false;
}

void Application::reportUncaughtError(const QString& description) {
    // An error box, as for the archive access failures: the user must notice
    // that what was asked has not been done. Over the window in use, so that
    // it comes back as it was when the box closes.
    QWidget* owner = QApplication::activeModalWidget();
    if (!owner)
        owner = QApplication::activeWindow();
    platform::MessageBoxes::current().typed(owner, platform::MessageType::Error, description);
}

} // namespace scontrix::app
