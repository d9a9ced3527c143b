#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QList>
#include <QPointF>
#include <QWidget>
#include <memory>

class QSvgRenderer;

namespace scontrix::ui {

// A picture that scales its artwork or bitmap to its box. Made clickable it
// shows a hand cursor and emits clicked(); its status hint (statusTip) reaches
// the window's status line when the mouse passes over it. Assistive technology
// sees a clickable picture as a push button (ui/Accessibility.h).
// Artwork and bitmaps are drawn at the screen's device pixel ratio, so they
// stay sharp at any scale.
class Picture : public QWidget {
    Q_OBJECT
public:
    enum class Scaling { Stretch, Fit };

    explicit Picture(QWidget* parent = nullptr);
    ~Picture() override;

    // Artwork from the resources, e.g. ":/artwork/start_title.svg".
    void setArtwork(const QString& resourcePath);

    // Words drawn over the artwork as part of the picture: assistive
    // technology reads the picture's own description, not them. The toolkit
    // lays them out at their size; words inside the artwork are laid out by
    // the SVG renderer at a large size and scaled down, several times slower,
    // which matters for the first window the program shows.
    struct Words {
        QString text;
        QPointF baseline; // where the text starts, on its baseline
        QFont font;
        QColor colour;
    };
    void addWords(const Words& words);
    void setImage(const QImage& image);
    QImage image() const { return image_; }
    bool hasImage() const { return !image_.isNull(); }

    void setScaling(Scaling scaling);
    void setClickable(bool clickable);
    bool isClickable() const { return clickable_; }

    // What a click does: emits clicked() when the picture is clickable and enabled.
    void click();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    // The artwork, or the bitmap scaled into `box`, drawn once in device
    // pixels for the current size and pixel ratio: a scanner's logo is not
    // scaled down from its millions of pixels at every paint.
    const QImage& artworkImage();
    const QImage& bitmapImage(const QRectF& box);
    // Where a picture of `natural` size goes: the whole box, or fitted.
    QRectF boxFor(QSizeF natural) const;

    std::unique_ptr<QSvgRenderer> svg_;
    QImage rendered_;
    QImage image_;
    QList<Words> words_;
    Scaling scaling_ = Scaling::Stretch;
    bool clickable_ = false;
};

} // namespace scontrix::ui
