#include "ui/WorkProgress.h"

#include "ui/Style.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace scontrix::ui {

namespace {

constexpr int Steps = 1000;
// Between two rounds of pending window events, at most.
constexpr qint64 EventsEveryMs = 40;

} // namespace

WorkProgress::WorkProgress(QWidget* owner, const QString& label, int delayMs, Cancel cancel)
    : dialog_(std::make_unique<QProgressDialog>(label, QString(), 0, Steps, owner)),
      cancellable_(cancel == Cancel::Yes) {
    dialog_->setObjectName(QStringLiteral("dlgProgresso"));
    dialog_->setWindowTitle(QStringLiteral(" Scontrix"));
    dialog_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    dialog_->setWindowModality(Qt::ApplicationModal);
    if (cancellable_)
        dialog_->setCancelButtonText(QStringLiteral("Annulla"));
    else
        dialog_->setCancelButton(nullptr);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(delayMs);
    dialog_->setMinimumWidth(380);
    setDesignFont(dialog_.get(), QStringLiteral("Verdana"), 9);
    dialog_->setValue(0); // the clock for the delay starts now
    sinceEvents_.start();
}

WorkProgress::~WorkProgress() = default;

bool WorkProgress::step(qint64 done, qint64 total) {
    const int value =
        total > 0 ? static_cast<int>(std::min<qint64>(done, total) * Steps / total) : Steps;
    // Shows the window once the work has lasted long enough.
    dialog_->setValue(std::min(value, Steps - 1));
    if (dialog_->isVisible() && sinceEvents_.elapsed() >= EventsEveryMs) {
        // Without a cancel button, repaints and layouts only: a click now
        // would act on a half-done list.
        QCoreApplication::processEvents(cancellable_ ? QEventLoop::AllEvents
                                                     : QEventLoop::ExcludeUserInputEvents);
        sinceEvents_.restart();
    }
    return !dialog_->wasCanceled();
}

} // namespace scontrix::ui
