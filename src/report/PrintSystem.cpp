#include "report/PrintSystem.h"

#include "platform/Seam.h"
#include "report/CupsOptions.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace scontrix::report {

namespace {

// A printer of the print system. Every page layout is set whole, in full-page
// mode with no margins, so that the painter's origin is the paper's corner.
class PrinterTarget final : public PrintTarget {
public:
    explicit PrinterTarget(const QString& printerName) : printer_(QPrinter::HighResolution) {
        printer_.setPrinterName(printerName);
        printer_.setOutputFormat(QPrinter::NativeFormat);
        printer_.setFullPage(true);
    }

    bool makesCopies() const override { return printer_.supportsMultipleCopies(); }

    bool beginDocument(const PrintJobSettings& job, const PaperSettings& firstPaper) override {
        printer_.setDocName(job.documentName);
        printer_.setCopyCount(job.deviceCopies);
        printer_.setCollateCopies(false);
        switch (job.duplex) {
        case dmDefault:
            break;
        case dmVertical:
            printer_.setDuplex(QPrinter::DuplexLongSide);
            break;
        case dmHorizontal:
            printer_.setDuplex(QPrinter::DuplexShortSide);
            break;
        case dmSimplex:
            printer_.setDuplex(QPrinter::DuplexNone);
            break;
        }
        cups::applySettings(printer_, job.printerSettings);
        setLayout(firstPaper);
        return painter_.begin(&printer_);
    }

    void setPaper(const PaperSettings& paper) override { setLayout(paper); }

    bool beginPage(int, bool firstOfDocument) override {
        return firstOfDocument || printer_.newPage();
    }

    QPainter& painter() override { return painter_; }

    RenderTransform pageTransform() const override {
        // Page coordinates start at the paper's edge: the painter's origin is
        // the top-left of the page rectangle, which full-page mode puts on the
        // paper's corner; any difference is the unprintable margin.
        const QRectF paper = printer_.paperRect(QPrinter::DevicePixel);
        const QRectF page = printer_.pageRect(QPrinter::DevicePixel);
        return {paper.left() - page.left(), paper.top() - page.top(),
                printer_.logicalDpiX() / ReportDpi, printer_.logicalDpiY() / ReportDpi, true};
    }

    bool endDocument() override { return painter_.end(); }

private:
    // The whole layout at once. A printer that cannot print up to the paper's
    // edge refuses margins of zero: it then gets its own smallest margins, and
    // full-page mode still keeps the origin on the paper's corner.
    void setLayout(const PaperSettings& paper) {
        QPageLayout layout = paper.pageLayout();
        if (printer_.setPageLayout(layout))
            return;
        printer_.setPageSize(layout.pageSize());
        printer_.setPageOrientation(layout.orientation());
        layout.setMargins(printer_.pageLayout().minimumMargins());
        if (!printer_.setPageLayout(layout))
            qWarning("The printer takes neither the paper nor its own margins");
    }

    QPrinter printer_;
    QPainter painter_;
};

class RealPrintSystem final : public PrintSystem {
public:
    QList<PrinterDescription> printers() override {
        QList<PrinterDescription> result;
        for (const QPrinterInfo& info : QPrinterInfo::availablePrinters())
            result.push_back({info.printerName(), info.location()});
        return result;
    }

    QString defaultPrinter() override { return QPrinterInfo::defaultPrinterName(); }

    bool isUsable(const QString& printerName) override {
        if (QPrinterInfo::printerInfo(printerName).isNull())
            return false;
        QPrinter printer;
        printer.setPrinterName(printerName);
        return printer.isValid();
    }

    std::unique_ptr<PrintTarget> printerTarget(const QString& printerName) override {
        return std::make_unique<PrinterTarget>(printerName);
    }

    QList<PrinterOption> printerOptions(const QString& printerName) override {
        return cups::printerOptions(printerName);
    }
};

} // namespace

PrintSystem& PrintSystem::current() {
    return platform::Seam<PrintSystem>::current();
}

std::unique_ptr<PrintSystem> PrintSystem::makeReal() {
    return std::make_unique<RealPrintSystem>();
}

} // namespace scontrix::report
