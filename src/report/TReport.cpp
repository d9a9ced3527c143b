#include "report/TReport.h"

#include "report/ReportPreparation.h"

#include <QCoreApplication>

namespace scontrix::report {

TReport::TReport()
    : dataPage_(std::make_unique<TReportDataPage>(QStringLiteral("Data"))),
      reportPage_(std::make_unique<TReportPage>(QStringLiteral("Page1"))) {}

TReport::~TReport() = default;

TBasePage* TReport::page(int index) const {
    switch (index) {
    case 0:
        return dataPage_.get();
    case 1:
        return reportPage_.get();
    default:
        return nullptr;
    }
}

TReportComponent* TReport::findObject(const QString& name) const {
    if (name.isEmpty())
        return nullptr;
    if (TReportComponent* found = dataPage_->findObject(name))
        return found;
    return reportPage_->findObject(name);
}

bool TReport::prepare(bool clearLastReport) {
    if (clearLastReport)
        prepared_.clear();
    errors_.clear();

    // The run reads a snapshot, never the template: whatever happens while it
    // runs (including a window reacting to the events it lets through), the
    // template stays exactly as the window left it.
    const std::unique_ptr<TReportPage> snapshot = cloneOf(*reportPage_);

    PreparationSettings settings;
    settings.expressions.start = Clock ? Clock() : QDateTime::currentDateTime();
    settings.expressions.locale = DateLocale;
    settings.onPagePart = OnPagePart;
    if (!settings.onPagePart) {
        settings.onPagePart = [] {
            // The windows' pending layouts and repaints, and nothing else: a
            // click, a key or a timer run now could close the very window whose
            // template is being prepared, or start a second print.
            if (QCoreApplication::instance()) {
                QCoreApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
                QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
            }
        };
    }

    QStringList errors;
    runReport(*snapshot, settings, prepared_, errors);
    errors.sort();
    errors.removeDuplicates();
    errors_ = errors;
    return errors_.isEmpty();
}

} // namespace scontrix::report
