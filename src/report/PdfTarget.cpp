#include "report/PdfTarget.h"

#include "report/PrintPlan.h"

#include <QCoreApplication>

namespace scontrix::report {

namespace {
// Fine enough that rounding every edge to a device pixel is invisible.
constexpr int PdfResolution = 1200;
} // namespace

bool PdfTarget::beginDocument(const PrintJobSettings& job, const PaperSettings& firstPaper) {
    writer_ = std::make_unique<QPdfWriter>(fileName_);
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
    return painter_.end();
}

bool exportToPdf(const TPreparedReport& report, const QString& fileName,
                 const QString& documentName) {
    PdfTarget target(fileName);
    const PrintOutcome outcome = printPages(report, TPrintOptions{}, documentName, target);
    return outcome == PrintOutcome::Printed;
}

} // namespace scontrix::report
