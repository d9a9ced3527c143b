#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace scontrix::platform {

// The folder of the running executable, with its trailing separator. Every data
// file of the program lives directly in it (or in its Logo_Ditta subfolder).
class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    virtual QString path() const = 0;

    static ProgramFolder& current();
    static std::unique_ptr<ProgramFolder> makeReal();
    // The folder of that path as the system gives it, in bytes.
    static std::unique_ptr<ProgramFolder> ofNativePath(const QByteArray& folder);

    // Shorthand: the program folder followed by `fileName`.
    static QString file(const QString& fileName);
};

} // namespace scontrix::platform
