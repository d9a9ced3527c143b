#include "ui/Picture.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace scontrix::ui {

Picture::Picture(QWidget* parent) : QWidget(parent) {}

void Picture::setArtwork(const QString& resourcePath) {
    if (!svg_)
        svg_ = new QSvgRenderer(this);
    svg_->load(resourcePath);
    image_ = QImage();
    update();
}

void Picture::setImage(const QImage& image) {
    image_ = image;
    if (svg_) {
        delete svg_;
        svg_ = nullptr;
    }
    update();
}

void Picture::setScaling(Scaling scaling) {
    scaling_ = scaling;
    update();
}

void Picture::setClickable(bool clickable) {
    clickable_ = clickable;
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (svg_ && svg_->isValid()) {
        QRectF target = rect();
        if (scaling_ == Scaling::Fit) {
            QSizeF s = svg_->defaultSize();
            s.scale(size(), Qt::KeepAspectRatio);
            target = QRectF(QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), s);
        }
        svg_->render(&p, target);
        return;
    }
    if (image_.isNull())
        return;
    if (scaling_ == Scaling::Stretch) {
        p.drawImage(rect(), image_);
        return;
    }
    QSizeF s = image_.size();
    s.scale(size(), Qt::KeepAspectRatio);
    const QRectF target(QPointF((width() - s.width()) / 2, (height() - s.height()) / 2), s);
    p.drawImage(target, image_);
}

void Picture::mousePressEvent(QMouseEvent* event) {
    if (clickable_)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    if (clickable_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace scontrix::ui
