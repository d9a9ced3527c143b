#include "platform/FileDialogs.h"

#include "platform/Seam.h"

#include <QFileDialog>

namespace scontrix::platform {

namespace {

class DesktopFileDialogs final : public FileDialogs {
public:
    QString openFile(QWidget* owner, const QString& title, const QString& filters) override {
        return QFileDialog::getOpenFileName(owner, title, QString(), filters);
    }

    QString saveFile(QWidget* owner, const QString& title, const QString& filters,
                     const QString& suggestedPath) override {
        return QFileDialog::getSaveFileName(owner, title, suggestedPath, filters);
    }
};

} // namespace

FileDialogs& FileDialogs::current() {
    return Seam<FileDialogs>::current();
}

std::unique_ptr<FileDialogs> FileDialogs::makeReal() {
    return std::make_unique<DesktopFileDialogs>();
}

} // namespace scontrix::platform
