#pragma once

#include <QDeadlineTimer>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QString>
#include <QTest>
#include <memory>

namespace scontrix::test {

// The PDF queue that scripts/run-tests.sh starts as root. Every job lands in
// one file, so a test that prints holds the queue for its whole length: test
// executables run side by side and would otherwise read each other's pages.
class TestPrinter {
public:
    TestPrinter()
        : queue_(qEnvironmentVariable("SCONTRIX_TEST_PRINTER")),
          output_(qEnvironmentVariable("SCONTRIX_TEST_PRINTER_OUTPUT")) {
        if (output_.isEmpty())
            return;
        lock_ = std::make_unique<QLockFile>(output_ + QStringLiteral(".lock"));
        lock_->setStaleLockTime(0);
        lock_->lock();
        QFile::remove(output_);
    }

    // Whether a queue was started; tests skip with skipReason() otherwise.
    bool available() const { return !output_.isEmpty(); }
    static const char* skipReason() {
        return "No test printer: run the tests as root through scripts/run-tests.sh "
               "(make test) to print through CUPS.";
    }
    QString queue() const { return queue_; }
    QString output() const { return output_; }

    // Forgets the previous job's document before the next print.
    void clear() const { QFile::remove(output_); }

    // True once the print system has no job left and the document is there.
    bool waitForOutput(int milliseconds = 60000) const {
        const QDeadlineTimer deadline(milliseconds);
        while (!deadline.hasExpired()) {
            QProcess lpstat;
            lpstat.start(QStringLiteral("lpstat"), {QStringLiteral("-o")});
            lpstat.waitForFinished(10000);
            if (lpstat.readAllStandardOutput().trimmed().isEmpty() && QFileInfo(output_).size() > 0)
                return true;
            QTest::qWait(200);
        }
        return false;
    }

private:
    QString queue_;
    QString output_;
    std::unique_ptr<QLockFile> lock_;
};

} // namespace scontrix::test
