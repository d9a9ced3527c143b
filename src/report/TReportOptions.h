#pragma once

#include <QFlags>
#include <QList>
#include <QString>

namespace scontrix::report {

struct TReportOptions {
    QString Name; // the print job's document name and the preview's caption
};

// The commands a preview window offers in its toolbar.
enum TPreviewButton {
    pbPrint = 0x001,
    pbLoad = 0x002,
    pbSave = 0x004,
    pbExport = 0x008,
    pbZoom = 0x010,
    pbFullScreen = 0x020,
    pbOutline = 0x040,
    pbThumbnails = 0x080,
    pbPageSetup = 0x100,
    pbEdit = 0x200,
    pbNavigator = 0x400,
    pbClose = 0x800,
};
Q_DECLARE_FLAGS(TPreviewButtons, TPreviewButton)
Q_DECLARE_OPERATORS_FOR_FLAGS(TPreviewButtons)

inline constexpr TPreviewButtons AllPreviewButtons = TPreviewButtons(0xFFF);

struct TPreviewOptions {
    TPreviewButtons Buttons = AllPreviewButtons;
    bool AllowEdit = true;
    double Zoom = 1.0; // 1.0 is 100 %
    bool Maximized = true;
    bool Modal = true;
};

enum TPrintPages { ppAll, ppOdd, ppEven };

// Passed on to the printer; vertical binds along the long edge.
enum TDuplexMode { dmDefault, dmVertical, dmHorizontal, dmSimplex };

// A choice among a printer's own options, by the print system's names: option
// "InputSlot" (the paper source), choice "Tray2".
struct TPrinterSetting {
    QString Option;
    QString Choice;

    bool operator==(const TPrinterSetting&) const = default;
};

struct TPrintOptions {
    QString Printer = QStringLiteral("Default"); // selected first when a printer has this name
    bool ShowDialog = true;
    int Copies = 1;
    bool Collate = true;
    QString PageNumbers; // "1,3,5-12"; empty for all pages
    TPrintPages PrintPages = ppAll;
    bool Reverse = false;
    TDuplexMode Duplex = dmDefault;
    // Made with "Properties..." for the current printer: only the choices that
    // differ from the printer's own defaults.
    QList<TPrinterSetting> PrinterSettings;

    bool operator==(const TPrintOptions&) const = default;
};

} // namespace scontrix::report
