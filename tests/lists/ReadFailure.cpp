#include "ReadFailure.h"

#include <QFile>

namespace scontrix::test {

// In ReadFailurePread.cpp, which stays clear of the headers that declare pread().
bool armReadFailure(const char* path, long long from);
void disarmReadFailure();
int readFailures();

ReadFailure::ReadFailure(const QString& path, qint64 from) {
    if (!armReadFailure(QFile::encodeName(path).constData(), from))
        qFatal("ReadFailure: nothing at %s", qPrintable(path));
}

ReadFailure::~ReadFailure() {
    disarmReadFailure();
}

int ReadFailure::failures() {
    return readFailures();
}

} // namespace scontrix::test
