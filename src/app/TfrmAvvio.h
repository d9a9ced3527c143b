#pragma once

#include "ui/Windows.h"

namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::app {

class WindowSet;

// The start screen: creating archives, issuing vouchers, help and credits.
class TfrmAvvio : public ui::FullScreenWindow {
    Q_OBJECT
public:
    explicit TfrmAvvio(WindowSet& windows);

    ui::ShapeRect* shpTop;
    ui::Picture* imgInfo;
    ui::Picture* icoTitolo01;
    ui::Picture* imgGuida;
    ui::Picture* imgSottotitolo;
    ui::ShapeRect* shpApp01;
    ui::ShapeRect* shpApp02;
    ui::Picture* imgApp01;
    ui::Picture* btnApp01;
    ui::Picture* imgApp02;
    ui::Picture* btnApp02;
    ui::ShapeRect* shpBottom;
    ui::Picture* imgSito;
    ui::Picture* imgCopyright;
    ui::Picture* imgEsci;

    void imgApp01Click();
    void imgApp02Click();
    void imgInfoClick();
    void imgGuidaClick();
    void imgCopyrightClick();
    void imgSitoClick();
    void imgEsciClick();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    WindowSet& windows_;
};

} // namespace scontrix::app
