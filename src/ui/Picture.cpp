#include "ui/Picture.h"

#include "ui/Accessibility.h"

#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace scontrix::ui {

Picture::Picture(QWidget* parent) : QWidget(parent) {
    installAccessibleControls();
}

Picture::~Picture() = default;

void Picture::setArtwork(const QString& resourcePath) {
    if (!svg_)
        svg_ = std::make_unique<QSvgRenderer>();
    svg_->load(resourcePath);
    image_ = QImage();
    rendered_ = QImage();
    update();
}

void Picture::setImage(const QImage& image) {
    image_ = image;
    svg_.reset();
    rendered_ = QImage();
    update();
}

void Picture::setScaling(Scaling scaling) {
    scaling_ = scaling;
    rendered_ = QImage();
    update();
}

void Picture::click() {
    if (clickable_ && isEnabled())
        emit clicked();
}

void Picture::setClickable(bool clickable) {
    clickable_ = clickable;
    if (clickable)
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
}

QRectF Picture::boxFor(QSizeF natural) const {
    if (scaling_ == Scaling::Stretch)
        return rect();
    natural.scale(size(), Qt::KeepAspectRatio);
    return {QPointF((width() - natural.width()) / 2, (height() - natural.height()) / 2), natural};
}

const QImage& Picture::artworkImage() {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * ratio).toSize();
    if (rendered_.size() != pixels || rendered_.devicePixelRatio() != ratio) {
        rendered_ = QImage(pixels, QImage::Format_ARGB32_Premultiplied);
        rendered_.fill(Qt::transparent);
        {
            QPainter p(&rendered_);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::SmoothPixmapTransform);
            p.scale(ratio, ratio);
            svg_->render(&p, boxFor(svg_->defaultSize()));
        }
        rendered_.setDevicePixelRatio(ratio);
    }
    return rendered_;
}

const QImage& Picture::bitmapImage(const QRectF& box) {
    const qreal ratio = devicePixelRatioF();
    const QSize pixels = (box.size() * ratio).toSize();
    if (rendered_.size() != pixels || rendered_.devicePixelRatio() != ratio) {
        rendered_ = image_.scaled(pixels, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        rendered_.setDevicePixelRatio(ratio);
    }
    return rendered_;
}

void Picture::addWords(const Words& words) {
    words_.push_back(words);
    update();
}

void Picture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    if (svg_ && svg_->isValid()) {
        p.drawImage(QPointF(0, 0), artworkImage());
        for (const Words& words : std::as_const(words_)) {
            p.setFont(words.font);
            p.setPen(words.colour);
            p.drawText(words.baseline, words.text);
        }
        return;
    }
    if (image_.isNull())
        return;
    const QRectF box = boxFor(image_.size());
    p.drawImage(box.topLeft(), bitmapImage(box));
}

void Picture::mousePressEvent(QMouseEvent* event) {
    if (clickable_)
        event->accept();
    else
        QWidget::mousePressEvent(event);
}

void Picture::mouseReleaseEvent(QMouseEvent* event) {
    if (clickable_ && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint())) {
        event->accept();
        emit clicked();
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

} // namespace scontrix::ui
