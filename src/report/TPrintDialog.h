#pragma once

#include "report/TReportOptions.h"
#include "ui/Windows.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace scontrix::report {

// The engine's print dialog: printer, pages, copies and the other print
// options of one print, and with "Properties..." the printer's own options.
// "OK" writes the choices into the options it was given; "Cancel" brings back
// the printer that was current before.
class TPrintDialog : public ui::DialogWindow {
    Q_OBJECT
public:
    // `currentPage` is the page shown in the preview, from 1; 0 outside a
    // preview, where "Current page" cannot be chosen.
    TPrintDialog(QWidget* owner, TPrintOptions& options, int currentPage);

    // The ".prn" file chosen with "Print to file", or empty.
    QString printToFileName() const { return fileName_; }

    static constexpr QSize designClientSize{557, 333};

    QGroupBox* PrinterGroup;
    QComboBox* PrinterCB;
    QLabel* WhereL;
    QPushButton* PropButton;
    QCheckBox* FileCB;
    QGroupBox* PagesGroup;
    QRadioButton* AllRB;
    QRadioButton* CurPageRB;
    QRadioButton* PageNumbersRB;
    QLineEdit* PageNumbersE;
    QLabel* DescrL;
    QGroupBox* CopiesGroup;
    QLineEdit* CopiesE;
    QCheckBox* CollateCB;
    QGroupBox* OtherGroup;
    QComboBox* PrintPagesCB;
    QComboBox* OrderCB;
    QComboBox* DuplexCB;
    QGroupBox* PrintModeGroup;
    QComboBox* PrintModeCB;
    QPushButton* OkB;
    QPushButton* CancelB;

public slots:
    void reject() override;

private slots:
    void PrinterCBChange(int index);
    void PropButtonClick();
    void OkBClick();

private:
    void showWhere();

    TPrintOptions& options_;
    int currentPage_;
    int printerBefore_;
    // Chosen with "Properties..." for the printer now current.
    QList<TPrinterSetting> printerSettings_;
    QString fileName_;
};

} // namespace scontrix::report
