#include "export/WorkProgress.h"

#include "ui/Style.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace scontrix::exporting {

namespace {

constexpr int Steps = 1000;
// Between two rounds of pending window events, at most.
constexpr qint64 EventsEveryMs = 40;

} // namespace

WorkProgress::WorkProgress(QWidget* owner, const QString& label, int delayMs)
    : dialog_(std::make_unique<QProgressDialog>(label, QStringLiteral("Annulla"), 0, Steps, owner)) {
    dialog_->setObjectName(QStringLiteral("dlgProgresso"));
    dialog_->setWindowTitle(QStringLiteral(" Scontrix"));
    dialog_->setWindowModality(Qt::ApplicationModal);
    dialog_->setAutoClose(false);
    dialog_->setAutoReset(false);
    dialog_->setMinimumDuration(delayMs);
    dialog_->setMinimumWidth(380);
    ui::setDesignFont(dialog_.get(), QStringLiteral("Verdana"), 9);
    dialog_->setValue(0); // the clock for the delay starts now
    sinceEvents_.start();
}

WorkProgress::~WorkProgress() = default;

Progress WorkProgress::callback() {
    return [this](qint64 done, qint64 total) { return step(done, total); };
}

bool WorkProgress::step(qint64 done, qint64 total) {
    const int value = total > 0 ? int(std::min<qint64>(done, total) * Steps / total) : Steps;
    // Shows the dialog once the work has lasted long enough.
    dialog_->setValue(std::min(value, Steps - 1));
    if (dialog_->isVisible() && sinceEvents_.elapsed() >= EventsEveryMs) {
        QCoreApplication::processEvents();
        sinceEvents_.restart();
    }
    return !dialog_->wasCanceled();
}

} // namespace scontrix::exporting
