#pragma once

#include "report/ReportRenderer.h"
#include "report/TReportOptions.h"

#include <QPageLayout>
#include <QString>

class QPainter;

namespace scontrix::report {

// The paper of one output page, as it is handed to a printer.
struct PaperSettings {
    int paperSize = 9;
    double widthMm = 210; // as oriented
    double heightMm = 297;
    TPrinterOrientation orientation = poPortrait;

    static PaperSettings of(const TPreparedPage& page);
    bool operator==(const PaperSettings&) const = default;

    // The whole paper as a page layout: full-page mode and no margins, so
    // that the origin is the paper's physical corner.
    QPageLayout pageLayout() const;
};

// What a print job asks of the device as a whole.
struct PrintJobSettings {
    QString documentName;
    int deviceCopies = 1; // each page this many times in a row, by the device
    TDuplexMode duplex = dmDefault;
    // The printer's own options chosen for this job (paper source, quality...).
    QList<TPrinterSetting> printerSettings;
};

// A device that takes the pages of one print job: a printer of the print
// system, a PDF file, or a recording stand-in in the tests.
class PrintTarget {
public:
    virtual ~PrintTarget() = default;

    // Whether the device itself prints each page several times in a row when
    // asked; otherwise the engine repeats the pages.
    virtual bool makesCopies() const = 0;

    // Starts the document with the paper of its first page; false when the
    // device cannot be started.
    virtual bool beginDocument(const PrintJobSettings& job, const PaperSettings& firstPaper) = 0;
    // The paper of the pages that follow; called only when it changes.
    virtual void setPaper(const PaperSettings& paper) = 0;
    // Starts a page; `pageNumber` is the page of the report (from 1).
    virtual bool beginPage(int pageNumber, bool firstOfDocument) = 0;
    virtual QPainter& painter() = 0;
    // Where the paper's corner lies and the device pixels per report pixel.
    virtual RenderTransform pageTransform() const = 0;
    virtual void endPage() {}
    virtual bool endDocument() = 0;
};

} // namespace scontrix::report
