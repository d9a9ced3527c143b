#pragma once

#include "ui/Windows.h"

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace scontrix::editor {

// The small dialog through which the editor's two read-only date fields get
// their dates. The hidden marker `lblMemory` names the field to fill:
// "prezzo" (validity start) or "spettatore" (expiry).
class TfrmCalendario : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmCalendario(QWidget* owner);

    QLabel* lblMemory;
    QCalendarWidget* calAppuntamenti;
    QPushButton* btnAnnulla;
    QPushButton* btnImportaData;

    void btnImportaDataClick();
    void btnAnnullaClick();
};

} // namespace scontrix::editor
