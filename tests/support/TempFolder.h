#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace scontrix::test {

// A fresh, empty folder for one test, removed with everything in it when the
// test ends. Needs nothing but QtCore, so the core tests use it as it is.
class TempFolder {
public:
    TempFolder();
    QString path() const; // with trailing separator
    QString file(const QString& name) const { return path() + name; }

    // Writes `bytes` to `name` inside the folder.
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;

private:
    QTemporaryDir dir_;
};

} // namespace scontrix::test
