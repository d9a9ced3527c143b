#include "report/TReportBand.h"

#include "report/TReportPage.h"

namespace scontrix::report {

double TReportBand::width() const {
    const auto* page = dynamic_cast<const TReportPage*>(parent());
    return page ? page->printableWidth() : 0.0;
}

std::vector<TReportView*> TReportBand::objects() const {
    std::vector<TReportView*> views;
    for (const auto& child : children())
        views.push_back(static_cast<TReportView*>(child.get()));
    return views;
}

} // namespace scontrix::report
