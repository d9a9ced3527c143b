#include "report/TPrinterList.h"

#include <memory>

namespace scontrix::report {

namespace {
std::unique_ptr<TPrinterList>& slot() {
    static std::unique_ptr<TPrinterList> list;
    return list;
}
} // namespace

TPrinterList::TPrinterList() {
    PrintSystem& system = PrintSystem::current();
    printers_ = system.printers();
    physical_ = !printers_.isEmpty();
    if (!physical_) {
        printers_.push_back({QStringLiteral("Default"), QString()});
        return;
    }
    const QString defaultName = system.defaultPrinter();
    for (int i = 0; i < printers_.size(); ++i) {
        if (printers_[i].name == defaultName) {
            current_ = i;
            break;
        }
    }
}

TPrinterList& TPrinterList::instance() {
    if (!slot())
        slot().reset(new TPrinterList());
    return *slot();
}

void TPrinterList::reload() {
    slot().reset();
}

void TPrinterList::setCurrentIndex(int index) {
    if (index >= 0 && index < printers_.size())
        current_ = index;
}

bool TPrinterList::selectByName(const QString& name) {
    for (int i = 0; i < printers_.size(); ++i) {
        if (physical_ && printers_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            current_ = i;
            return true;
        }
    }
    return false;
}

} // namespace scontrix::report
