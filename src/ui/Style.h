#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The small shared vocabulary of the windows: design fonts and colours.
namespace scontrix::ui {

// The layouts are measured in pixels at 96 dots per inch, so point sizes are
// turned into pixels here once: a window then looks the same on any screen
// and under any platform plugin.
QFont designFont(const QString& family, double points, bool bold = false);

// Gives `widget` the design font and, with `colour`, its text colour.
void setDesignFont(QWidget* widget, const QString& family, double points, bool bold = false,
                   const QColor& colour = QColor());

namespace colours {
inline const QColor steelBlue{0x46, 0x82, 0xB4};
inline const QColor windowBlue{0x42, 0x7A, 0xA8};
inline const QColor titleBlue{0x7D, 0xA9, 0xCD};
inline const QColor focusYellow{0xFF, 0xFF, 0x00};
inline const QColor aliceBlue{0xF0, 0xF8, 0xFF};
inline const QColor skyBlue{0x87, 0xCE, 0xEB};
inline const QColor crimson{0xDC, 0x14, 0x3C};
} // namespace colours

} // namespace scontrix::ui
