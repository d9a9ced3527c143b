#include "editor/TfrmCalendario.h"

#include "ui/Accessibility.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCalendarWidget>
#include <QDate>
#include <QLabel>
#include <QPushButton>

namespace scontrix::editor {

TfrmCalendario::TfrmCalendario(QWidget* owner)
    : ui::DialogWindow(owner, QStringLiteral(" Importazione data"), QSize(253, 294),
                       ui::Placement::OwnerCentre) {
    setObjectName(QStringLiteral("frmCalendario"));
    // Steel blue at the bottom, white at the top.
    auto* background = new ui::GradientBackground(Qt::white, ui::colours::steelBlue, this);
    background->setGeometry(0, 0, 253, 294);
    QWidget* pan = ui::makeContainer(background, QSize(230, 266));
    pan->move((253 - 230) / 2, (294 - 266) / 2);

    auto* caption = new QLabel(QStringLiteral("Importare una data:"), pan);
    caption->setObjectName(QStringLiteral("lblRigo01"));
    ui::setDesignFont(caption, QStringLiteral("Verdana"), 9, false, Qt::black);
    caption->move(12, 8);
    caption->adjustSize();

    auto* frame = new ui::ShapeRect(pan);
    frame->setObjectName(QStringLiteral("shpCalendario"));
    frame->setGeometry(12, 28, 206, 188);
    frame->setFill(QColor(0xD6, 0xDC, 0xE1));
    frame->setBorder(Qt::white);

    calAppuntamenti = new QCalendarWidget(pan);
    calAppuntamenti->setObjectName(QStringLiteral("calAppuntamenti"));
    calAppuntamenti->setGeometry(24, 40, 182, 164);
    calAppuntamenti->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    calAppuntamenti->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    calAppuntamenti->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
    calAppuntamenti->setFirstDayOfWeek(Qt::Monday);
    calAppuntamenti->setFont(ui::designFont(QStringLiteral("Tahoma"), 7.5));
    // Every opening starts at today, whatever the field already holds.
    calAppuntamenti->setSelectedDate(QDate::currentDate());

    btnAnnulla = new QPushButton(QStringLiteral("Annulla"), pan);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(12, 224, 96, 28);
    btnImportaData = new QPushButton(QStringLiteral("Importa"), pan);
    btnImportaData->setObjectName(QStringLiteral("btnImportaData"));
    btnImportaData->setGeometry(122, 224, 96, 28);
    for (QPushButton* b : {btnAnnulla, btnImportaData}) {
        b->setCursor(Qt::PointingHandCursor);
        b->setAutoDefault(false);
        ui::setDesignFont(b, QStringLiteral("Verdana"), 9);
    }

    ui::nameByCaption(calAppuntamenti, caption->text());

    setTabOrder(calAppuntamenti, btnImportaData);
    setTabOrder(btnImportaData, btnAnnulla);
    calAppuntamenti->setFocus();

    connect(btnImportaData, &QPushButton::clicked, this, &TfrmCalendario::btnImportaDataClick);
    // A double click or Enter on a day takes that day, as "Importa" would.
    connect(calAppuntamenti, &QCalendarWidget::activated, this,
            &TfrmCalendario::btnImportaDataClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &TfrmCalendario::btnAnnullaClick);
}

QDate TfrmCalendario::pickedDate() const {
    return calAppuntamenti->selectedDate();
}

void TfrmCalendario::btnImportaDataClick() {
    accept();
}

void TfrmCalendario::btnAnnullaClick() {
    reject();
}

} // namespace scontrix::editor
