#include "report/TPropertiesDialog.h"

#include "ui/Style.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>

namespace scontrix::report {

namespace {

constexpr int ClientWidth = 460;
constexpr int RowHeight = 28;
constexpr int VisibleRows = 12; // more scroll
constexpr int AreaTop = 36;

const QString DuplexOption = QStringLiteral("Duplex");

// The driver's names of the duplex choices, as the print dialog's modes.
const std::pair<const char*, TDuplexMode> DuplexChoices[] = {
    {"None", dmSimplex}, {"DuplexNoTumble", dmVertical}, {"DuplexTumble", dmHorizontal}};

QString duplexChoiceOf(TDuplexMode mode) {
    for (const auto& [choice, m] : DuplexChoices) {
        if (m == mode)
            return QString::fromLatin1(choice);
    }
    return {};
}

int rowsShown(qsizetype count) {
    return static_cast<int>(std::clamp<qsizetype>(count, 1, VisibleRows));
}

int areaHeight(qsizetype count) {
    return rowsShown(count) * RowHeight + 8;
}

QSize clientSizeFor(qsizetype count) {
    return {ClientWidth, AreaTop + areaHeight(count) + 45};
}

} // namespace

TPropertiesDialog::TPropertiesDialog(QWidget* owner, const QString& printerName,
                                     QList<PrinterOption> options,
                                     const QList<TPrinterSetting>& chosen, TDuplexMode duplex)
    : ui::DialogWindow(owner, QStringLiteral("Properties"), clientSizeFor(options.size()),
                       ui::Placement::OwnerCentre),
      options_(std::move(options)) {
    // Its Cancel button answers Escape, as on every desktop's print dialog.
    letEscapeCancel();
    setObjectName(QStringLiteral("PropertiesDialog"));
    setFont(ui::designFont(QStringLiteral("Tahoma"), 8));
    const QSize client = clientSizeFor(options_.size());

    PrinterL = new QLabel(QStringLiteral("Printer: %1").arg(printerName), this);
    PrinterL->setObjectName(QStringLiteral("PrinterL"));
    PrinterL->setGeometry(12, 10, ClientWidth - 24, 20);

    OptionsArea = new QScrollArea(this);
    OptionsArea->setObjectName(QStringLiteral("OptionsArea"));
    OptionsArea->setGeometry(8, AreaTop, ClientWidth - 16, areaHeight(options_.size()));
    OptionsArea->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    auto* rows = new QWidget;
    const int rowsWidth =
        ClientWidth - 16 - 2 * OptionsArea->frameWidth() - (options_.size() > VisibleRows ? 18 : 0);
    rows->resize(rowsWidth,
                 static_cast<int>(std::max<qsizetype>(options_.size(), 1)) * RowHeight + 6);

    NoOptionsL = new QLabel(QStringLiteral("This printer has no settings of its own."), rows);
    NoOptionsL->setObjectName(QStringLiteral("NoOptionsL"));
    NoOptionsL->setGeometry(8, 6, rowsWidth - 16, 20);
    NoOptionsL->setVisible(options_.isEmpty());

    for (int i = 0; i < options_.size(); ++i) {
        const PrinterOption& option = options_[i];
        const int top = 4 + i * RowHeight;
        auto* label = new QLabel(option.text + u':', rows);
        label->setGeometry(8, top + 1, 190, 22);
        label->setToolTip(option.text);
        auto* box = new QComboBox(rows);
        box->setObjectName(option.name);
        box->setGeometry(204, top, rowsWidth - 212, 22);
        label->setBuddy(box);
        for (const PrinterChoice& choice : option.choices)
            box->addItem(choice.text, choice.value);

        // What was chosen before for this printer, else the printer's default.
        QString value = option.defaultChoice;
        if (option.name == DuplexOption) {
            duplexIndex_ = i;
            if (const QString mapped = duplexChoiceOf(duplex); !mapped.isEmpty())
                value = mapped;
        } else {
            for (const TPrinterSetting& setting : chosen) {
                if (setting.Option == option.name)
                    value = setting.Choice;
            }
        }
        const int index = box->findData(value);
        box->setCurrentIndex(index >= 0 ? index : 0);
        boxes_.push_back(box);
    }
    if (duplexIndex_ >= 0)
        duplexBefore_ = chosenValue(duplexIndex_);
    OptionsArea->setWidget(rows);

    OkB = new QPushButton(QStringLiteral("OK"), this);
    OkB->setObjectName(QStringLiteral("OkB"));
    OkB->setGeometry(client.width() - 166, client.height() - 35, 75, 25);
    OkB->setDefault(true);
    CancelB = new QPushButton(QStringLiteral("Cancel"), this);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setGeometry(client.width() - 83, client.height() - 35, 75, 25);
    connect(OkB, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelB, &QPushButton::clicked, this, &QDialog::reject);
}

QString TPropertiesDialog::chosenValue(int index) const {
    return boxes_.at(index)->currentData().toString();
}

QComboBox* TPropertiesDialog::optionBox(const QString& optionName) const {
    for (int i = 0; i < options_.size(); ++i) {
        if (options_[i].name == optionName)
            return boxes_[i];
    }
    return nullptr;
}

QList<TPrinterSetting> TPropertiesDialog::settings() const {
    QList<TPrinterSetting> result;
    for (int i = 0; i < options_.size(); ++i) {
        const QString value = chosenValue(i);
        if (i != duplexIndex_ && value != options_[i].defaultChoice)
            result.push_back({options_[i].name, value});
    }
    return result;
}

std::optional<TDuplexMode> TPropertiesDialog::duplex() const {
    if (duplexIndex_ < 0)
        return std::nullopt;
    const QString value = chosenValue(duplexIndex_);
    if (value == duplexBefore_)
        return std::nullopt;
    for (const auto& [choice, mode] : DuplexChoices) {
        if (value == QLatin1String(choice))
            return mode;
    }
    return std::nullopt;
}

} // namespace scontrix::report
