#pragma once

#include <QImage>
#include <QWidget>

class QSvgRenderer;

namespace scontrix::ui {

// A picture that scales its artwork or bitmap to its box. Made clickable it
// shows a hand cursor and emits clicked(); its status hint (statusTip) reaches
// the window's status line when the mouse passes over it.
class Picture : public QWidget {
    Q_OBJECT
public:
    enum class Scaling { Stretch, Fit };

    explicit Picture(QWidget* parent = nullptr);

    // Artwork from the resources, e.g. ":/artwork/start_title.svg".
    void setArtwork(const QString& resourcePath);
    void setImage(const QImage& image);
    QImage image() const { return image_; }
    bool hasImage() const { return !image_.isNull(); }

    void setScaling(Scaling scaling);
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QSvgRenderer* svg_ = nullptr;
    QImage image_;
    Scaling scaling_ = Scaling::Stretch;
    bool clickable_ = false;
};

} // namespace scontrix::ui
