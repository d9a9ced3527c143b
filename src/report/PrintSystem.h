#pragma once

#include "report/PrintTarget.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>

class QWidget;

namespace scontrix::report {

struct PrinterDescription {
    QString name;
    QString location; // where the print system says the printer is
};

// The desktop's print system: its printers, their driver settings, and print
// jobs on them. Tests install a recording stand-in with platform::ScopedSeam.
class PrintSystem {
public:
    virtual ~PrintSystem() = default;

    // Every local and connected printer, in the system's order.
    virtual QList<PrinterDescription> printers() = 0;
    // Empty when the system names no default printer.
    virtual QString defaultPrinter() = 0;
    // Whether a job can be started on the printer now.
    virtual bool isUsable(const QString& printerName) = 0;
    virtual std::unique_ptr<PrintTarget> printerTarget(const QString& printerName) = 0;
    // The print system's own settings dialog for the printer; the duplex mode
    // the driver then reports, if it reports one.
    virtual std::optional<TDuplexMode> showProperties(QWidget* owner,
                                                      const QString& printerName) = 0;

    static PrintSystem& current();
    static std::unique_ptr<PrintSystem> makeReal();
};

} // namespace scontrix::report
