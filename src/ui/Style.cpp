#include "ui/Style.h"

#include <QPalette>
#include <QWidget>
#include <cmath>

namespace scontrix::ui {

QFont designFont(const QString& family, double points, bool bold) {
    QFont font(family);
    font.setPixelSize(static_cast<int>(std::lround(points * 96.0 / 72.0)));
    font.setBold(bold);
    return font;
}

void setDesignFont(QWidget* widget, const QString& family, double points, bool bold,
                   const QColor& colour) {
    widget->setFont(designFont(family, points, bold));
    if (colour.isValid()) {
        QPalette p = widget->palette();
        p.setColor(QPalette::WindowText, colour);
        p.setColor(QPalette::Text, colour);
        widget->setPalette(p);
    }
}

} // namespace scontrix::ui
