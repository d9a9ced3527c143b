#include "report/PdfTarget.h"

#include "report/PrintPlan.h"

#include <QCoreApplication>

namespace scontrix::report {

namespace {
// Fine enough that rounding every edge to a device pixel is invisible.
constexpr int PdfResolution = 1200;
} // namespace

bool PdfTarget::beginDocument(const PrintJobSettings& job, const PaperSettings& firstPaper) {
    file_ = std::make_unique<QSaveFile>(fileName_);
    if (!file_->open(QIODevice::WriteOnly))
        return false;
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(PdfResolution);
    writer_->setTitle(job.documentName);
    writer_->setCreator(QCoreApplication::applicationName());
    writer_->setPageLayout(firstPaper.pageLayout());
    return painter_.begin(writer_.get());
}

void PdfTarget::setPaper(const PaperSettings& paper) {
    writer_->setPageLayout(paper.pageLayout());
}

bool PdfTarget::beginPage(int, bool firstOfDocument) {
    return firstOfDocument || writer_->newPage();
}

RenderTransform PdfTarget::pageTransform() const {
    const double scale = writer_->resolution() / ReportDpi;
    return {0, 0, scale, scale, true};
}

bool PdfTarget::endDocument() {
    // The PDF engine never looks at what its writes return: a full disk
    // leaves a short file behind a painter that ended well. The file itself
    // knows: its own error state, the final flush, and the size that reached
    // the disk against what was handed to it.
    if (!painter_.end())
        return false;
    writer_.reset();
    const qint64 written = file_->pos();
    if (!file_->flush() || file_->error() != QFileDevice::NoError || file_->size() != written)
        return false;
    return file_->commit();
}

bool exportToPdf(const TPreparedReport& report, const QString& fileName,
                 const QString& documentName) {
    PdfTarget target(fileName);
    const PrintOutcome outcome = printPages(report, TPrintOptions{}, documentName, target);
    return outcome == PrintOutcome::Printed;
}

} // namespace scontrix::report
