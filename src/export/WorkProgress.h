#pragma once

#include "export/Progress.h"

#include <QElapsedTimer>
#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace scontrix::exporting {

// Progress of a long piece of work on the user-interface thread: a dialog
// with a bar and a cancel button appears once the work has run longer than
// `delayMs`, and from then on the windows keep repainting while it runs.
// Short work never shows anything.
class WorkProgress {
public:
    WorkProgress(QWidget* owner, const QString& label, int delayMs);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Hand this to the work; it answers false once the user has cancelled.
    Progress callback();

private:
    bool step(qint64 done, qint64 total);

    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceEvents_;
};

} // namespace scontrix::exporting
