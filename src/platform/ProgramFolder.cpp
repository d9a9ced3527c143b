#include "platform/ProgramFolder.h"

#include "platform/Seam.h"

#include <QCoreApplication>
#include <QDir>

namespace scontrix::platform {

namespace {

class ExecutableFolder final : public ProgramFolder {
public:
    QString path() const override {
        QString dir = QCoreApplication::applicationDirPath();
        if (!dir.endsWith(u'/'))
            dir += u'/';
        return dir;
    }
};

} // namespace

ProgramFolder& ProgramFolder::current() {
    return Seam<ProgramFolder>::current();
}

std::unique_ptr<ProgramFolder> ProgramFolder::makeReal() {
    return std::make_unique<ExecutableFolder>();
}

QString ProgramFolder::file(const QString& fileName) {
    return current().path() + fileName;
}

} // namespace scontrix::platform
