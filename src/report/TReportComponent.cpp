#include "report/TReportComponent.h"

namespace scontrix::report {

TReportComponent::TReportComponent(const TReportComponent& other) : Name(other.Name) {
    children_.reserve(other.children_.size());
    for (const auto& child : other.children_)
        adopt(child->clone());
}

TReportComponent* TReportComponent::findObject(const QString& name) {
    return const_cast<TReportComponent*>(std::as_const(*this).findObject(name));
}

const TReportComponent* TReportComponent::findObject(const QString& name) const {
    if (Name.compare(name, Qt::CaseInsensitive) == 0)
        return this;
    for (const auto& child : children_) {
        if (const TReportComponent* found = child->findObject(name))
            return found;
    }
    return nullptr;
}

} // namespace scontrix::report
