#pragma once

#include "report/PrintSystem.h"
#include "ui/Windows.h"

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace scontrix::report {

// "Properties..." of the print dialog: the driver's own options of the chosen
// printer (paper source, quality, media type...), one list of choices each,
// showing the choices already made or else the printer's defaults. Each list
// is named after its option ("InputSlot"). The printer's Duplex option is the
// print dialog's Duplex box seen from the driver's side: it is not kept among
// the settings but handed back as a duplex mode.
class TPropertiesDialog : public ui::DialogWindow {
    Q_OBJECT
public:
    TPropertiesDialog(QWidget* owner, const QString& printerName, QList<PrinterOption> options,
                      const QList<TPrinterSetting>& chosen, TDuplexMode duplex);

    // The choices that differ from the printer's defaults, Duplex left out.
    QList<TPrinterSetting> settings() const;
    // The duplex mode chosen here, when it was changed.
    std::optional<TDuplexMode> duplex() const;

    // The list of choices of an option, or none when the printer lacks it.
    QComboBox* optionBox(const QString& optionName) const;

    QLabel* PrinterL;
    QScrollArea* OptionsArea;
    QLabel* NoOptionsL;
    QPushButton* OkB;
    QPushButton* CancelB;

private:
    QString chosenValue(int index) const;

    QList<PrinterOption> options_;
    QList<QComboBox*> boxes_;
    int duplexIndex_ = -1;
    QString duplexBefore_;
};

} // namespace scontrix::report
