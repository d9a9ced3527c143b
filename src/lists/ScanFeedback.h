#pragma once

#include "lists/ArchiveLists.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace scontrix::lists {

// Keeps a window alive during a long scan of a big archive: once the scan has
// taken longer than a moment, a small progress window shows how far it is, and
// the windows beneath keep being drawn. The shopkeeper cannot act meanwhile.
// Short scans show nothing.
class ScanFeedback {
public:
    ScanFeedback(QWidget* owner, QString text);
    ~ScanFeedback();
    ScanFeedback(const ScanFeedback&) = delete;
    ScanFeedback& operator=(const ScanFeedback&) = delete;

    ScanProgress progress();

    static constexpr int DelayMs = 400;

private:
    void step(qint64 done, qint64 total);

    QPointer<QWidget> owner_;
    QString text_;
    QElapsedTimer timer_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace scontrix::lists
