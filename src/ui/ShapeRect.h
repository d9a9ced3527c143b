#pragma once

#include <QColor>
#include <QWidget>

namespace scontrix::ui {

// A rectangle with a plain or vertically shaded fill and a plain or shaded
// border: the backdrops, cards and focus frames of the windows.
class ShapeRect : public QWidget {
    Q_OBJECT
public:
    explicit ShapeRect(QWidget* parent = nullptr);

    void setFill(const QColor& colour);
    void setFillGradient(const QColor& top, const QColor& bottom);
    void setBorder(const QColor& colour, int width = 1);
    void setBorderGradient(const QColor& top, const QColor& bottom, int width = 1);
    void setCornerRadius(int radius);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fillTop_ = Qt::white;
    QColor fillBottom_ = Qt::white;
    QColor borderTop_ = Qt::white;
    QColor borderBottom_ = Qt::white;
    int borderWidth_ = 1;
    int radius_ = 0;
};

} // namespace scontrix::ui
