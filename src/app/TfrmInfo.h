#pragma once

#include "ui/Windows.h"

class QPushButton;

namespace scontrix::ui {
class LinkText;
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::app {

// About the program, with the maker's support e-mail address as a link.
class TfrmInfo : public ui::DialogWindow {
    Q_OBJECT
public:
    explicit TfrmInfo(QWidget* owner);

    // The mail the link starts: subject and body are written as the reader
    // sees them; the desktop seam turns the text into a valid address.
    static QString emailLink();

    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    ui::Picture* icoInformazioni;
    QPushButton* btnChiudi;
    ui::Picture* imgEmail;
    ui::LinkText* lnkWeb;

    void lnkWebClick();
    void btnChiudiClick();
};

} // namespace scontrix::app
