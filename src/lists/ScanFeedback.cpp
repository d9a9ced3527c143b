#include "lists/ScanFeedback.h"

#include <QCoreApplication>
#include <QProgressDialog>

namespace scontrix::lists {

ScanFeedback::ScanFeedback(QWidget* owner, QString text) : owner_(owner), text_(std::move(text)) {
    timer_.start();
}

ScanFeedback::~ScanFeedback() = default;

ScanProgress ScanFeedback::progress() {
    return [this](qint64 done, qint64 total) { step(done, total); };
}

void ScanFeedback::step(qint64 done, qint64 total) {
    if (!dialog_ && timer_.elapsed() >= DelayMs) {
        dialog_ = std::make_unique<QProgressDialog>(text_, QString(), 0, 1000, owner_.data());
        dialog_->setObjectName(QStringLiteral("frmAvanzamento"));
        dialog_->setWindowTitle(QStringLiteral(" Scontrix"));
        dialog_->setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
        dialog_->setWindowModality(Qt::WindowModal);
        dialog_->setCancelButton(nullptr);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    }
    if (dialog_) {
        const int permille = total > 0 ? static_cast<int>(done * 1000 / total) : 0;
        dialog_->setValue(std::min(permille, 1000));
    }
    // Repaints and layouts only: a click now would act on a half-filled list.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace scontrix::lists
