#include "ui/Controls.h"

#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QLabel>
#include <QPushButton>

namespace scontrix::ui {

ShapeRect* makeRect(QWidget* parent, const char* name, QRect geometry, const QColor& fill,
                    const QColor& border) {
    auto* rect = new ShapeRect(parent);
    if (name)
        rect->setObjectName(QString::fromLatin1(name));
    rect->setGeometry(geometry);
    rect->setFill(fill);
    rect->setBorder(border);
    return rect;
}

Picture* makePicture(QWidget* parent, const char* name, const char* artwork, QRect geometry,
                     bool clickable) {
    auto* picture = new Picture(parent);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setGeometry(geometry);
    picture->setArtwork(QStringLiteral(":/artwork/") + QString::fromLatin1(artwork));
    picture->setClickable(clickable);
    return picture;
}

QPushButton* makeButton(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(geometry);
    button->setCursor(Qt::PointingHandCursor);
    setDesignFont(button, QStringLiteral("Verdana"), 9);
    return button;
}

QLabel* makeHiddenLabel(QWidget* parent, const char* name, QPoint at, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->move(at);
    label->hide();
    return label;
}

} // namespace scontrix::ui
