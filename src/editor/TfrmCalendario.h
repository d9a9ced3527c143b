#pragma once

#include "ui/Windows.h"

#include <QDate>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace scontrix::editor {

// The small dialog through which the editor's two read-only date fields get
// their dates: accepted, it answers the day picked (pickedDate), and the
// editor writes it into the field that opened it (the design's hidden marker
// `lblMemory` named that field, "prezzo" or "spettatore").
class TfrmCalendario : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* owner);

    QCalendarWidget* calAppuntamenti;
    QPushButton* btnAnnulla;
    QPushButton* btnImportaData;

    // The day selected in the calendar, which "Importa data" accepts.
    QDate pickedDate() const;

    void btnImportaDataClick();
    void btnAnnullaClick();
};

} // namespace scontrix::editor
