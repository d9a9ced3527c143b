#pragma once

#include "report/PrintTarget.h"

#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <memory>

namespace scontrix::report {

// Writes the pages of a print job into a PDF file, each page on its own paper.
// The file is written beside its final name and takes that name only once it
// is whole, so a file of that name already there stays as it was when the
// disk fills up or the print stops half-way.
class PdfTarget final : public PrintTarget {
public:
    explicit PdfTarget(QString fileName) : fileName_(std::move(fileName)) {}

    bool makesCopies() const override { return false; }
    bool beginDocument(const PrintJobSettings& job, const PaperSettings& firstPaper) override;
    void setPaper(const PaperSettings& paper) override;
    bool beginPage(int pageNumber, bool firstOfDocument) override;
    QPainter& painter() override { return painter_; }
    RenderTransform pageTransform() const override;
    bool endDocument() override;

private:
    QString fileName_;
    // Declared before the writer and the painter, which write into it to the
    // end: an unfinished file is removed only after them.
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
    QPainter painter_;
};

// Writes a whole prepared report, every page in order, as a PDF file. False
// when the file cannot be written.
bool exportToPdf(const TPreparedReport& report, const QString& fileName,
                 const QString& documentName);

} // namespace scontrix::report
