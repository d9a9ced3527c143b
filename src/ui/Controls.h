#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

// Makers for the controls every window lays out at its design positions, each
// named as the project names it, so that readers and tests find it by that name.
namespace scontrix::ui {

class Picture;
class ShapeRect;

ShapeRect* makeRect(QWidget* parent, const char* name, QRect geometry,
                    const QColor& fill = Qt::white, const QColor& border = Qt::white);

// `artwork` is a file of resources/artwork. A clickable picture has a hand cursor.
Picture* makePicture(QWidget* parent, const char* name, const char* artwork, QRect geometry,
                     bool clickable = false);

// A push button with a hand cursor in the windows' usual face.
QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry);

// A label that never shows: windows hand values to one another through these.
QLabel* makeHiddenLabel(QWidget* parent, const char* name, QPoint at = {},
                        const QString& text = {});

} // namespace scontrix::ui
