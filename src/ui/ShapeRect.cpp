#include "ui/ShapeRect.h"

#include <QLinearGradient>
#include <QPainter>

namespace scontrix::ui {

ShapeRect::ShapeRect(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void ShapeRect::setFill(const QColor& colour) {
    setFillGradient(colour, colour);
}

void ShapeRect::setFillGradient(const QColor& top, const QColor& bottom) {
    fillTop_ = top;
    fillBottom_ = bottom;
    update();
}

void ShapeRect::setBorder(const QColor& colour, int width) {
    setBorderGradient(colour, colour, width);
}

void ShapeRect::setBorderGradient(const QColor& top, const QColor& bottom, int width) {
    borderTop_ = top;
    borderBottom_ = bottom;
    borderWidth_ = width;
    update();
}

void ShapeRect::setCornerRadius(int radius) {
    radius_ = radius;
    update();
}

void ShapeRect::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, radius_ > 0);
    const QRectF r = QRectF(rect()).adjusted(borderWidth_ / 2.0, borderWidth_ / 2.0,
                                             -borderWidth_ / 2.0, -borderWidth_ / 2.0);

    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, fillTop_);
    fill.setColorAt(1, fillBottom_);
    QLinearGradient border(0, 0, 0, height());
    border.setColorAt(0, borderTop_);
    border.setColorAt(1, borderBottom_);

    p.setBrush(fill);
    if (borderWidth_ > 0)
        p.setPen(QPen(QBrush(border), borderWidth_));
    else
        p.setPen(Qt::NoPen);
    if (radius_ > 0)
        p.drawRoundedRect(r, radius_, radius_);
    else
        p.drawRect(r);
}

} // namespace scontrix::ui
