#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace scontrix::report {

// Asks for the file a print or an export is written into: the save dialog,
// then the name the engine gives it (its own extension). The dialog only
// confirmed replacing the name it returned; when the extension makes that
// another file which exists, the user is asked again. Empty when the user
// cancelled either question.
QString chooseOutputFile(QWidget* owner, const QString& title, const QString& filters,
                         const QString& suggestedPath,
                         const std::function<QString(const QString&)>& finalName);

} // namespace scontrix::report
