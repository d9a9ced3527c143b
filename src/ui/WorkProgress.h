#pragma once

#include <QElapsedTimer>
#include <QString>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace scontrix::ui {

// Progress of a long piece of work on the user-interface thread, such as a
// scan or an export of a big archive. Short work shows nothing; once it has
// run longer than `delayMs`, a small window with a bar appears over `owner`
// and the windows beneath keep being drawn while the work goes on.
class WorkProgress {
public:
    // Whether the progress window offers "Annulla". Work that cannot stop
    // half-way (a list that would be half filled) takes no user input at all
    // while it runs.
    enum class Cancel { No, Yes };

    WorkProgress(QWidget* owner, const QString& label, int delayMs, Cancel cancel);
    ~WorkProgress();
    WorkProgress(const WorkProgress&) = delete;
    WorkProgress& operator=(const WorkProgress&) = delete;

    // Reports that `done` of `total` steps are done; false once the user has
    // cancelled.
    bool step(qint64 done, qint64 total);

    // step() as a callback for the work to call.
    std::function<bool(qint64, qint64)> callback() {
        return [this](qint64 done, qint64 total) { return step(done, total); };
    }

private:
    std::unique_ptr<QProgressDialog> dialog_;
    QElapsedTimer sinceEvents_;
    bool cancellable_;
};

} // namespace scontrix::ui
