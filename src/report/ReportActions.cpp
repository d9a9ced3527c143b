#include "report/ReportActions.h"

#include "platform/MessageBoxes.h"
#include "report/OutputFile.h"
#include "report/PdfTarget.h"
#include "report/PrintPlan.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"
#include "report/TPrinterList.h"

#include <QFileInfo>

namespace scontrix::report {

namespace {

void showError(QWidget* owner, const QString& text) {
    platform::MessageBoxes::current().alert(owner, platform::MessageType::Error, text);
}

// The print options of one print: whatever the dialog changes holds for that
// print only.
class OptionsRestorer {
public:
    explicit OptionsRestorer(TPrintOptions& options) : options_(options), saved_(options) {}
    ~OptionsRestorer() { options_ = saved_; }
    OptionsRestorer(const OptionsRestorer&) = delete;
    OptionsRestorer& operator=(const OptionsRestorer&) = delete;

private:
    TPrintOptions& options_;
    TPrintOptions saved_;
};

} // namespace

bool prepareReport(TReport& report, bool clearLastReport, QWidget* owner) {
    if (report.prepare(clearLastReport))
        return true;
    showError(owner, QStringLiteral("The following error(s) have occured:\n") +
                         report.errors().join(u'\n'));
    return false;
}

void showReport(TReport& report, bool clearLastReport, QWidget* owner) {
    if (!prepareReport(report, clearLastReport, owner))
        return;
    if (report.PreviewOptions.Modal) {
        TPreviewForm preview(report, owner);
        preview.exec();
        return;
    }
    // A window that stays open beside its owner goes away with it, before the
    // owner's template does.
    auto* preview = new TPreviewForm(report, owner);
    preview->setAttribute(Qt::WA_DeleteOnClose);
    preview->show();
}

bool printReport(TReport& report, QWidget* owner, int currentPage) {
    // Without prepared pages the dialog would offer a print of nothing and
    // then print nothing without a word.
    if (!report.errors().isEmpty()) {
        showError(owner, QStringLiteral("The report could not be prepared: nothing was printed."));
        return false;
    }
    if (report.prepared().isEmpty()) {
        showError(owner, QStringLiteral("The report has no pages: nothing was printed."));
        return false;
    }
    TPrinterList& printers = TPrinterList::instance();
    if (!printers.hasPhysicalPrinter()) {
        showError(owner, QStringLiteral("You have no printers installed"));
        return false;
    }
    OptionsRestorer restorer(report.PrintOptions);
    TPrintOptions& options = report.PrintOptions;
    printers.selectByName(options.Printer);

    QString fileName;
    if (options.ShowDialog) {
        TPrintDialog dialog(owner, options, currentPage);
        if (dialog.exec() != QDialog::Accepted)
            return false;
        fileName = dialog.printToFileName();
    }

    std::unique_ptr<PrintTarget> target;
    if (!fileName.isEmpty()) {
        target = std::make_unique<PdfTarget>(fileName);
    } else {
        const QString printer = printers.current().name;
        if (!PrintSystem::current().isUsable(printer)) {
            showError(owner, QStringLiteral("Printer selected is not valid"));
            return false;
        }
        target = PrintSystem::current().printerTarget(printer);
    }

    switch (printPages(report.prepared(), options, report.ReportOptions.Name, *target)) {
    case PrintOutcome::Printed:
        return true;
    case PrintOutcome::NothingToPrint:
        return false;
    case PrintOutcome::DeviceFailed:
        break;
    }
    showError(owner, fileName.isEmpty()
                         ? QStringLiteral("Printer selected is not valid")
                         : QStringLiteral("The file \"%1\" could not be written.").arg(fileName));
    return false;
}

bool exportReportToPdf(const TReport& report, QWidget* owner) {
    const QString name =
        report.ReportOptions.Name.isEmpty() ? QStringLiteral("Report") : report.ReportOptions.Name;
    const QString fileName = chooseOutputFile(
        owner, QStringLiteral("Export to PDF"), QStringLiteral("PDF file (*.pdf)"),
        name + QStringLiteral(".pdf"), [](const QString& chosen) {
            return QFileInfo(chosen).suffix().isEmpty() ? chosen + QStringLiteral(".pdf") : chosen;
        });
    if (fileName.isEmpty())
        return false;
    if (exportToPdf(report.prepared(), fileName, report.ReportOptions.Name))
        return true;
    showError(owner, QStringLiteral("The file \"%1\" could not be written.").arg(fileName));
    return false;
}

} // namespace scontrix::report
