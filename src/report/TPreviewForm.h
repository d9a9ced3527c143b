#pragma once

#include "report/TReport.h"

#include <QDialog>

class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace scontrix::report {

class PreviewPageArea;

// The engine's preview window over a prepared report: a toolbar with the
// commands the template offers, the pages, and a status bar.
class TPreviewForm : public QDialog {
    Q_OBJECT
public:
    TPreviewForm(TReport& report, QWidget* owner = nullptr);

    static constexpr QSize designClientSize{803, 584};
    static constexpr double MinZoom = 0.25;
    static constexpr double MaxZoom = 5.0;
    static constexpr double MinWheelZoom = 0.3;

    double zoom() const;
    // Limited to 25 % … 500 %; the zoom box then shows it.
    void setZoom(double zoom);
    // The page shown, from 1.
    int currentPage() const;

    // The context menu of the page area, as it opens at the pointer.
    QMenu* makeContextMenu();

    QWidget* ToolBar;
    QToolButton* PrintB;
    QToolButton* OpenB;
    QToolButton* SaveB;
    QToolButton* ExportB;
    QFrame* Separator1;
    QComboBox* ZoomCB;
    QToolButton* PageWidthB;
    QToolButton* WholePageB;
    QToolButton* FullScreenBtn;
    QFrame* Separator2;
    QToolButton* OutlineB;
    QToolButton* ThumbB;
    QToolButton* PageSettingsB;
    QToolButton* DesignerB;
    QFrame* Separator3;
    QToolButton* FirstB;
    QToolButton* PriorB;
    QLineEdit* PageE;
    QToolButton* NextB;
    QToolButton* LastB;
    QPushButton* CancelB;
    QLabel* HintPanel;
    PreviewPageArea* PageArea;
    QWidget* StatusBar;
    QLabel* StatusPanel1;
    QLabel* StatusPanel2;
    QLabel* StatusPanel3;

public slots:
    void PrintBClick();
    void ZoomCBChange();
    void PageWidthBClick();
    void WholePageBClick();
    void FullScreenBtnClick();
    void CancelBClick();
    void zoomIn();
    void zoomOut();
    void zoomByWheel(int notches);
    void exportToPdf();
    void goToPage(int page); // from 1

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildToolBar();
    void buildStatusBar();
    void packToolBar();
    void showHint(QToolButton* button);
    void showStatus();
    bool offers(TPreviewButtons buttons) const;

    TReport& report_;
    Qt::WindowStates stateBeforeFullScreen_;
    bool fullScreen_ = false;
    bool placed_ = false;
};

} // namespace scontrix::report
