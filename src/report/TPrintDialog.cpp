#include "report/TPrintDialog.h"

#include "platform/MessageBoxes.h"
#include "report/OutputFile.h"
#include "report/PrintPlan.h"
#include "report/TPrinterList.h"
#include "report/TPropertiesDialog.h"
#include "ui/Style.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace scontrix::report {

namespace {

const QString PageListHint = QStringLiteral(
    "Enter page numbers and/or page ranges, separated by commas. For example, 1,3,5-12");
const QString CopiesMessage =
    QStringLiteral("The number of copies must be a whole number from 1 to 9999.");
constexpr int MaxCopies = 9999;

template <typename T, typename... Args>
T* place(QWidget* parent, const char* name, QRect geometry, Args&&... args) {
    auto* widget = new T(std::forward<Args>(args)..., parent);
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(geometry);
    return widget;
}

QLabel* caption(QWidget* parent, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setGeometry(geometry);
    return label;
}

QString withPrnExtension(QString path) {
    const QString suffix = QFileInfo(path).suffix();
    if (suffix.compare(QLatin1String("prn"), Qt::CaseInsensitive) == 0)
        return path;
    if (!suffix.isEmpty())
        path.chop(suffix.size() + 1);
    return path + QStringLiteral(".prn");
}

} // namespace

TPrintDialog::TPrintDialog(QWidget* owner, TPrintOptions& options, int currentPage)
    : ui::DialogWindow(owner, QStringLiteral("Print"), designClientSize,
                       ui::Placement::ScreenCentre),
      options_(options), currentPage_(currentPage),
      printerBefore_(TPrinterList::instance().currentIndex()),
      printerSettings_(options.PrinterSettings) {
    // Its Cancel button answers Escape, as on every desktop's print dialog.
    letEscapeCancel();
    setObjectName(QStringLiteral("PrintDialog"));
    setFont(ui::designFont(QStringLiteral("Tahoma"), 8));

    // Printer
    PrinterGroup =
        place<QGroupBox>(this, "PrinterGroup", {8, 4, 541, 92}, QStringLiteral("Printer"));
    caption(PrinterGroup, QStringLiteral("Name:"), {12, 24, 50, 21});
    PrinterCB = place<QComboBox>(PrinterGroup, "PrinterCB", {64, 22, 320, 23});
    caption(PrinterGroup, QStringLiteral("Where:"), {12, 56, 50, 21});
    WhereL = place<QLabel>(PrinterGroup, "WhereL", {64, 56, 320, 21});
    PropButton = place<QPushButton>(PrinterGroup, "PropButton", {404, 21, 125, 25},
                                    QStringLiteral("Properties..."));
    FileCB = place<QCheckBox>(PrinterGroup, "FileCB", {404, 56, 125, 21},
                              QStringLiteral("Print to file"));

    // Pages
    PagesGroup = place<QGroupBox>(this, "PagesGroup", {8, 100, 265, 126}, QStringLiteral("Pages"));
    AllRB = place<QRadioButton>(PagesGroup, "AllRB", {12, 20, 200, 20}, QStringLiteral("All"));
    CurPageRB = place<QRadioButton>(PagesGroup, "CurPageRB", {12, 42, 200, 20},
                                    QStringLiteral("Current page"));
    PageNumbersRB = place<QRadioButton>(PagesGroup, "PageNumbersRB", {12, 64, 70, 20},
                                        QStringLiteral("Pages:"));
    PageNumbersE = place<QLineEdit>(PagesGroup, "PageNumbersE", {84, 63, 169, 21});
    DescrL = place<QLabel>(PagesGroup, "DescrL", {12, 88, 245, 32}, PageListHint);
    DescrL->setWordWrap(true);

    // Copies
    CopiesGroup =
        place<QGroupBox>(this, "CopiesGroup", {284, 100, 265, 126}, QStringLiteral("Copies"));
    caption(CopiesGroup, QStringLiteral("Number of copies"), {12, 24, 120, 21});
    CopiesE = place<QLineEdit>(CopiesGroup, "CopiesE", {140, 22, 60, 21});
    CollateCB =
        place<QCheckBox>(CopiesGroup, "CollateCB", {12, 60, 200, 21}, QStringLiteral("Collate"));

    // Other
    OtherGroup = place<QGroupBox>(this, "OtherGroup", {8, 230, 265, 98}, QStringLiteral("Other"));
    caption(OtherGroup, QStringLiteral("Print"), {12, 22, 60, 21});
    PrintPagesCB = place<QComboBox>(OtherGroup, "PrintPagesCB", {84, 20, 169, 22});
    PrintPagesCB->addItems(
        {QStringLiteral("All pages"), QStringLiteral("Odd pages"), QStringLiteral("Even pages")});
    caption(OtherGroup, QStringLiteral("Order"), {12, 46, 60, 21});
    OrderCB = place<QComboBox>(OtherGroup, "OrderCB", {84, 44, 169, 22});
    OrderCB->addItems({QStringLiteral("Direct (1-9)"), QStringLiteral("Reverse (9-1)")});
    caption(OtherGroup, QStringLiteral("Duplex"), {12, 70, 60, 21});
    DuplexCB = place<QComboBox>(OtherGroup, "DuplexCB", {84, 68, 169, 22});
    DuplexCB->addItems({QStringLiteral("Default"), QStringLiteral("Vertical"),
                        QStringLiteral("Horizontal"), QStringLiteral("Simplex")});

    // Print mode: only the default exists.
    PrintModeGroup =
        place<QGroupBox>(this, "PrintModeGroup", {284, 230, 265, 56}, QStringLiteral("Print mode"));
    PrintModeCB = place<QComboBox>(PrintModeGroup, "PrintModeCB", {12, 22, 241, 22});
    PrintModeCB->addItem(QStringLiteral("Default"));
    PrintModeGroup->setEnabled(false);

    OkB = place<QPushButton>(this, "OkB", {390, 298, 75, 25}, QStringLiteral("OK"));
    CancelB = place<QPushButton>(this, "CancelB", {474, 298, 75, 25}, QStringLiteral("Cancel"));
    OkB->setDefault(true);

    // Initial values.
    const TPrinterList& printers = TPrinterList::instance();
    for (const PrinterDescription& printer : printers.printers())
        PrinterCB->addItem(printer.name);
    PrinterCB->setCurrentIndex(printers.currentIndex());
    showWhere();
    if (options_.PageNumbers.isEmpty()) {
        AllRB->setChecked(true);
    } else {
        PageNumbersRB->setChecked(true);
        PageNumbersE->setText(options_.PageNumbers);
    }
    // Outside a preview there is no current page: the choice would print nothing.
    CurPageRB->setEnabled(currentPage_ > 0);
    CopiesE->setText(QString::number(std::max(1, options_.Copies)));
    CollateCB->setChecked(options_.Collate);
    PrintPagesCB->setCurrentIndex(options_.PrintPages);
    OrderCB->setCurrentIndex(options_.Reverse ? 1 : 0);
    DuplexCB->setCurrentIndex(options_.Duplex);

    connect(PrinterCB, &QComboBox::currentIndexChanged, this, &TPrintDialog::PrinterCBChange);
    connect(PropButton, &QPushButton::clicked, this, &TPrintDialog::PropButtonClick);
    connect(PageNumbersE, &QLineEdit::textEdited, this,
            [this] { PageNumbersRB->setChecked(true); });
    connect(OkB, &QPushButton::clicked, this, &TPrintDialog::OkBClick);
    connect(CancelB, &QPushButton::clicked, this, &TPrintDialog::reject);
}

void TPrintDialog::showWhere() {
    WhereL->setText(TPrinterList::instance().current().location);
}

void TPrintDialog::PrinterCBChange(int index) {
    TPrinterList::instance().setCurrentIndex(index);
    showWhere();
    // They were choices among the other printer's options.
    printerSettings_.clear();
}

void TPrintDialog::PropButtonClick() {
    const QString printer = TPrinterList::instance().current().name;
    TPropertiesDialog properties(this, printer, PrintSystem::current().printerOptions(printer),
                                 printerSettings_,
                                 static_cast<TDuplexMode>(DuplexCB->currentIndex()));
    if (properties.exec() != QDialog::Accepted)
        return;
    printerSettings_ = properties.settings();
    if (const auto duplex = properties.duplex())
        DuplexCB->setCurrentIndex(*duplex);
}

void TPrintDialog::OkBClick() {
    bool isNumber = false;
    const int copies = CopiesE->text().trimmed().toInt(&isNumber);
    if (!isNumber || copies < 1 || copies > MaxCopies) {
        platform::MessageBoxes::current().alert(this, platform::MessageType::Error, CopiesMessage);
        CopiesE->setFocus();
        CopiesE->selectAll();
        return;
    }
    if (PageNumbersRB->isChecked() && !isValidPageList(PageNumbersE->text())) {
        platform::MessageBoxes::current().alert(this, platform::MessageType::Error, PageListHint);
        PageNumbersE->setFocus();
        PageNumbersE->selectAll();
        return;
    }
    if (FileCB->isChecked()) {
        const QString chosen =
            chooseOutputFile(this, QStringLiteral("Print to file"),
                             QStringLiteral("Printer file (*.prn)"), QString(), withPrnExtension);
        if (chosen.isEmpty()) {
            reject();
            return;
        }
        fileName_ = chosen;
    }

    options_.Copies = copies;
    options_.Collate = CollateCB->isChecked();
    if (AllRB->isChecked())
        options_.PageNumbers.clear();
    else if (CurPageRB->isChecked())
        options_.PageNumbers = QString::number(currentPage_);
    else
        options_.PageNumbers = PageNumbersE->text();
    options_.PrintPages = static_cast<TPrintPages>(PrintPagesCB->currentIndex());
    options_.Reverse = OrderCB->currentIndex() == 1;
    options_.Duplex = static_cast<TDuplexMode>(DuplexCB->currentIndex());
    options_.PrinterSettings = printerSettings_;
    accept();
}

void TPrintDialog::reject() {
    TPrinterList::instance().setCurrentIndex(printerBefore_);
    fileName_.clear();
    ui::DialogWindow::reject();
}

} // namespace scontrix::report
