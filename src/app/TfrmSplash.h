#pragma once

#include "ui/Windows.h"

class QPushButton;

namespace scontrix::ui {
class LinkText;
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::app {

// The credits of the program, with the maker's web site as a link.
class TfrmSplash : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmSplash(QWidget* owner);

    ui::Picture* imgLogo;
    ui::ShapeRect* shpWeb;
    ui::Picture* imgWeb;
    ui::LinkText* lnkWeb;
    QPushButton* btnChiudi;

    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace scontrix::app
