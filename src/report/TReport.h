#pragma once

#include "report/PreparedReport.h"
#include "report/TMemoView.h"
#include "report/TPictureView.h"
#include "report/TReportOptions.h"
#include "report/TReportPage.h"

#include <QDateTime>
#include <QLocale>
#include <QStringList>
#include <functional>

namespace scontrix::report {

// A report template: an empty data page and the report page, the options of
// preview and print, and the result of the last preparation.
//
// A window builds (or keeps) a template, fills it by object name between
// preparations, prepares it and previews or prints the prepared pages. The
// template itself never changes by preparing.
class TReport {
public:
    TReport();
    ~TReport();
    TReport(const TReport&) = delete;
    TReport& operator=(const TReport&) = delete;

    TReportOptions ReportOptions;
    bool ShowProgress = false; // no progress window exists; kept with the template
    TPreviewOptions PreviewOptions;
    TPrintOptions PrintOptions;

    // 0 is the data page, 1 the report page; none for any other index.
    TBasePage* page(int index) const;
    int pageCount() const { return 2; }
    TReportPage* reportPage() const { return reportPage_.get(); }

    // Depth-first over pages, bands and objects; the first whose name equals
    // `name` ignoring letter case, or none.
    TReportComponent* findObject(const QString& name) const;
    // The same, as an object of a given kind; none when it is of another kind.
    template <typename T> T* find(const QString& name) const {
        return dynamic_cast<T*>(findObject(name));
    }

    // Prepares the report page into output pages and reports whether no error
    // was collected. Nothing is shown: a window shows the errors through
    // report::prepareReport, which every window of the program uses.
    bool prepare(bool clearLastReport = true);

    const TPreparedReport& prepared() const { return prepared_; }
    TPreparedReport& prepared() { return prepared_; }
    // The messages of the last preparation, sorted, each once.
    const QStringList& errors() const { return errors_; }

    // Where the DATE of a preparation takes its text and its moment: the
    // system's regional settings and clock unless a test says otherwise.
    QLocale DateLocale = QLocale::system();
    std::function<QDateTime()> Clock;

    // Called once per page part while a band is cut across pages; by default
    // it lets the windows carry out their pending layouts and repaints, so
    // that they stay drawn during a long preparation.
    std::function<void()> OnPagePart;

private:
    std::unique_ptr<TReportDataPage> dataPage_;
    std::unique_ptr<TReportPage> reportPage_;
    TPreparedReport prepared_;
    QStringList errors_;
};

} // namespace scontrix::report
