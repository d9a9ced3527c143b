#pragma once

#include <QString>
#include <memory>

class QWidget;

namespace scontrix::platform {

// The desktop's standard open and save dialogs. An empty result means the
// user cancelled.
class FileDialogs {
public:
    virtual ~FileDialogs() = default;

    // `filters` in Qt's form: "Immagini JPEG (*.jpg);;Bitmap (*.bmp)".
    virtual QString openFile(QWidget* owner, const QString& title, const QString& filters) = 0;
    virtual QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                             const QString& suggestedPath) = 0;

    static FileDialogs& current();
    static std::unique_ptr<FileDialogs> makeReal();
};

} // namespace scontrix::platform
