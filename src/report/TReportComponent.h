#pragma once

#include <QString>
#include <memory>
#include <vector>

namespace scontrix::report {

// Anything of a template that has a name: pages, bands and the objects on them.
// A component owns its children; copying a component copies its whole subtree,
// which is how a preparation works on the template without touching it.
class TReportComponent {
public:
    explicit TReportComponent(QString name = {}) : Name(std::move(name)) {}
    virtual ~TReportComponent() = default;
    TReportComponent& operator=(const TReportComponent&) = delete;

    // Unique within the template; lookups ignore letter case.
    QString Name;

    TReportComponent* parent() const { return parent_; }
    const std::vector<std::unique_ptr<TReportComponent>>& children() const { return children_; }

    // A deep copy: the component with all its children.
    virtual std::unique_ptr<TReportComponent> clone() const = 0;

    // Depth-first: this component, then its children in template order. The
    // first whose name equals `name` ignoring case, or none.
    TReportComponent* findObject(const QString& name);
    const TReportComponent* findObject(const QString& name) const;

protected:
    TReportComponent(const TReportComponent& other);

    template <typename T> T* adopt(std::unique_ptr<T> child) {
        T* raw = child.get();
        raw->parent_ = this;
        children_.push_back(std::move(child));
        return raw;
    }

private:
    TReportComponent* parent_ = nullptr;
    std::vector<std::unique_ptr<TReportComponent>> children_;
};

// A deep copy with its own type.
template <typename T> std::unique_ptr<T> cloneOf(const T& component) {
    return std::unique_ptr<T>(static_cast<T*>(component.clone().release()));
}

} // namespace scontrix::report
