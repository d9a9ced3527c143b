#pragma once

#include "guide/GuideTopic.h"
#include "ui/Windows.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace scontrix::ui {
class GradientBackground;
class LinkText;
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::guide {

// Shows one help topic, given by the window that opens it, and leads to the
// full manual beside the program.
class TfrmGuida : public ui::DialogWindow {
    Q_OBJECT
public:
    TfrmGuida(QWidget* owner, const GuideTopic& topic);

    static constexpr QSize OuterSize{676, 598};

    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    QLabel* lblTitolo;
    QPlainTextEdit* txtGuida;
    ui::Picture* imgPDF;
    ui::LinkText* lnkWeb;
    QPushButton* btnChiudi;

    void FormShow();
    void lnkWebClick();
    void btnChiudiClick();

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    ui::GradientBackground* background_;
    QWidget* container_;
};

} // namespace scontrix::guide
