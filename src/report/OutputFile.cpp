#include "report/OutputFile.h"

#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"

#include <QFileInfo>

namespace scontrix::report {

QString chooseOutputFile(QWidget* owner, const QString& title, const QString& filters,
                         const QString& suggestedPath,
                         const std::function<QString(const QString&)>& finalName) {
    const QString chosen =
        platform::FileDialogs::current().saveFile(owner, title, filters, suggestedPath);
    if (chosen.isEmpty())
        return {};
    const QString fileName = finalName(chosen);
    if (fileName != chosen && QFileInfo::exists(fileName) &&
        !platform::MessageBoxes::current().confirm(
            owner, QStringLiteral("The file \"%1\" already exists. Replace it?").arg(fileName)))
        return {};
    return fileName;
}

} // namespace scontrix::report
