#pragma once

#include <QFlags>
#include <QString>
#include <QtGlobal>

// The vocabulary shared by templates, prepared pages and rendering: units,
// colours, alignments, frames and fonts.
namespace scontrix::report {

// Positions and sizes of objects are report pixels of 1/96 inch; paper and
// margins are millimetres.
inline constexpr double PixelsPerMm = 3.77953;
inline constexpr double ReportDpi = 96.0;

constexpr double mmToPx(double mm) {
    return mm * PixelsPerMm;
}
constexpr double pxToMm(double px) {
    return px / PixelsPerMm;
}

// 32-bit ARGB. A value of 0 is "no colour": nothing is painted.
using TAlphaColor = quint32;

inline constexpr TAlphaColor claNull = 0x00000000;
inline constexpr TAlphaColor claWhite = 0xFFFFFFFF;
inline constexpr TAlphaColor claBlack = 0xFF000000;
inline constexpr TAlphaColor claOrange = 0xFFFFA500;
inline constexpr TAlphaColor claBeige = 0xFFF5F5DC;
inline constexpr TAlphaColor claCrimson = 0xFFDC143C;
inline constexpr TAlphaColor claNavy = 0xFF000080;
inline constexpr TAlphaColor claBrown = 0xFFA52A2A;
inline constexpr TAlphaColor claSlategray = 0xFF708090;

enum TPrinterOrientation { poPortrait, poLandscape };
enum THAlign { haLeft, haCenter, haRight };
enum TVAlign { vaTop, vaCenter, vaBottom };

enum TFrameType { ftLeft = 0x1, ftRight = 0x2, ftTop = 0x4, ftBottom = 0x8 };
Q_DECLARE_FLAGS(TFrameTypes, TFrameType)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFrameTypes)

enum TFrameStyle { fsSolid, fsDash, fsDot, fsDashDot, fsDashDotDot };

// The border of an object: which sides are drawn, and how.
struct TFrame {
    TFrameTypes Typ;
    TAlphaColor Color = claBlack;
    double Width = 1; // px
    TFrameStyle Style = fsSolid;

    bool operator==(const TFrame&) const = default;
};

enum TFontStyle { fsBold = 0x1, fsItalic = 0x2, fsUnderline = 0x4, fsStrikeOut = 0x8 };
Q_DECLARE_FLAGS(TFontStyles, TFontStyle)
Q_DECLARE_OPERATORS_FOR_FLAGS(TFontStyles)

// A font as templates describe it: the em size is stored as a negative pixel
// height at 96 dpi, so -12 is 9 pt and -13.333 is 10 pt.
struct TFont {
    QString Name = QStringLiteral("Arial");
    double Height = heightOfPoints(10);
    TAlphaColor Color = claBlack;
    TFontStyles Style;

    // A positive height is taken as the size too, rather than as a nonsense
    // negative size that would make every line fit.
    double emSize() const { return Height < 0 ? -Height : Height; }
    double points() const { return emSize() * 72.0 / ReportDpi; }
    static constexpr double heightOfPoints(double points) { return -points * ReportDpi / 72.0; }

    bool operator==(const TFont&) const = default;
};

} // namespace scontrix::report
