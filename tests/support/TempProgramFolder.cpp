#include "TempProgramFolder.h"

#include <QFile>
#include <stdexcept>

namespace scontrix::test {

TempProgramFolder::TempProgramFolder()
    : folder_(dir_.path() + QStringLiteral("/")) {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary program folder");
    guard_.emplace(folder_);
}

QString TempProgramFolder::path() const {
    return folder_.path();
}

void TempProgramFolder::write(const QString& name, const QByteArray& bytes) const {
    QFile f(file(name));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write test file");
}

QByteArray TempProgramFolder::read(const QString& name) const {
    QFile f(file(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

} // namespace scontrix::test
