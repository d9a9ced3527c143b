#pragma once

#include "report/PrintTarget.h"

#include <QList>
#include <QString>
#include <memory>

namespace scontrix::report {

struct PrinterDescription {
    QString name;
    QString location; // where the print system says the printer is
};

// One choice of a printer's own option: its name for the print system and the
// text the driver gives it.
struct PrinterChoice {
    QString value; // "Tray2"
    QString text;  // "Tray 2"

    bool operator==(const PrinterChoice&) const = default;
};

// An option of a printer's driver that a print job may set: paper source,
// quality, media type and the like.
struct PrinterOption {
    QString name; // "InputSlot"
    QString text; // "Paper Source"
    QList<PrinterChoice> choices;
    QString defaultChoice; // the value the printer uses unless told otherwise
};

// The desktop's print system: its printers, their driver options, and print
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
    // A job on the printer; the job's printer settings reach the driver.
    virtual std::unique_ptr<PrintTarget> printerTarget(const QString& printerName) = 0;
    // The driver's own options of the printer, in its order, without those of
    // the paper size, which every report sets itself. Duplex is among them when
    // the printer has it. Empty when the printer has none or cannot be asked.
    virtual QList<PrinterOption> printerOptions(const QString& printerName) = 0;

    static PrintSystem& current();
    static std::unique_ptr<PrintSystem> makeReal();
};

} // namespace scontrix::report
