#include "report/TPreviewForm.h"

#include "report/PreviewPageArea.h"
#include "report/ReportActions.h"
#include "ui/Windows.h"

#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QGuiApplication>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <memory>

namespace scontrix::report {

namespace {

constexpr int ToolBarHeight = 31;
constexpr int StatusBarHeight = 24;
constexpr int FirstItemX = 5;
constexpr int ButtonTop = 3;
constexpr int SeparatorWidth = 8;
// Room left around a page by the page width and whole page commands.
constexpr int FitMargin = 26;
constexpr double ButtonZoomStep = 0.25;
constexpr double WheelZoomStep = 0.1;

QToolButton* toolButton(QWidget* bar, const char* name, const QString& icon, const QString& hint) {
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(name));
    button->setFixedSize(25, 25);
    button->setAutoRaise(true);
    button->setIcon(QIcon(QStringLiteral(":/artwork/report_%1.svg").arg(icon)));
    button->setIconSize(QSize(18, 18));
    button->setProperty("hint", hint);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QFrame* separator(QWidget* bar, const char* name) {
    auto* line = new QFrame(bar);
    line->setObjectName(QString::fromLatin1(name));
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    line->setFixedSize(SeparatorWidth, 25);
    return line;
}

QLabel* statusPanel(QWidget* bar, const char* name, int x, int width) {
    auto* panel = new QLabel(bar);
    panel->setObjectName(QString::fromLatin1(name));
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setGeometry(x, 2, width, StatusBarHeight - 4);
    panel->setIndent(3);
    return panel;
}

// A zoom as the box shows it: a whole percentage, "100%".
QString zoomText(double zoom) {
    return QString::number(std::lround(zoom * 100)) + u'%';
}

} // namespace

TPreviewForm::TPreviewForm(TReport& report, QWidget* owner)
    : QDialog(owner, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint),
      report_(report) {
    setObjectName(QStringLiteral("PreviewForm"));
    setWindowTitle(report.ReportOptions.Name.isEmpty() ? QStringLiteral("Preview")
                                                       : report.ReportOptions.Name);
    setModal(report.PreviewOptions.Modal);
    resize(designClientSize);

    buildToolBar();
    PageArea = new PreviewPageArea(report_.prepared(), this);
    buildStatusBar();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(ToolBar);
    layout->addWidget(PageArea, 1);
    layout->addWidget(StatusBar);

    HintPanel = new QLabel(this);
    HintPanel->setObjectName(QStringLiteral("HintPanel"));
    HintPanel->setStyleSheet(QStringLiteral("QLabel { background: #FFFFE1; color: black; border: "
                                            "1px solid #767676; padding: 2px 5px; }"));
    HintPanel->hide();

    connect(PageArea, &PreviewPageArea::currentPageChanged, this, [this] { showStatus(); });
    connect(PageArea, &PreviewPageArea::zoomWheel, this, &TPreviewForm::zoomByWheel);
    connect(PageArea, &PreviewPageArea::contextMenuRequested, this, [this](const QPoint& at) {
        const std::unique_ptr<QMenu> menu(makeContextMenu());
        menu->exec(at);
    });

    if (offers(pbPrint)) {
        auto* print = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_P), this);
        connect(print, &QShortcut::activated, this, &TPreviewForm::PrintBClick);
    }
    if (offers(pbFullScreen)) {
        auto* full = new QShortcut(QKeySequence(Qt::Key_F11), this);
        connect(full, &QShortcut::activated, this, &TPreviewForm::FullScreenBtnClick);
    }

    setZoom(report.PreviewOptions.Zoom);
    showStatus();
    PageArea->setFocus();
    if (report.PreviewOptions.Maximized)
        setWindowState(windowState() | Qt::WindowMaximized);
}

bool TPreviewForm::offers(TPreviewButtons buttons) const {
    return report_.PreviewOptions.Buttons & buttons;
}

void TPreviewForm::buildToolBar() {
    ToolBar = new QWidget(this);
    ToolBar->setObjectName(QStringLiteral("ToolBar"));
    ToolBar->setFixedHeight(ToolBarHeight);

    PrintB = toolButton(ToolBar, "PrintB", QStringLiteral("print"), QStringLiteral("Print"));
    OpenB = toolButton(ToolBar, "OpenB", QStringLiteral("open"), QStringLiteral("Open"));
    SaveB = toolButton(ToolBar, "SaveB", QStringLiteral("save"), QStringLiteral("Save"));
    ExportB =
        toolButton(ToolBar, "ExportB", QStringLiteral("export"), QStringLiteral("Export to PDF"));
    Separator1 = separator(ToolBar, "Separator1");
    ZoomCB = new QComboBox(ToolBar);
    ZoomCB->setObjectName(QStringLiteral("ZoomCB"));
    ZoomCB->setEditable(true);
    ZoomCB->setInsertPolicy(QComboBox::NoInsert);
    ZoomCB->addItems({QStringLiteral("25%"), QStringLiteral("50%"), QStringLiteral("75%"),
                      QStringLiteral("100%"), QStringLiteral("150%"), QStringLiteral("200%"),
                      QStringLiteral("300%")});
    ZoomCB->setFixedSize(69, 21);
    PageWidthB = toolButton(ToolBar, "PageWidthB", QStringLiteral("page_width"),
                            QStringLiteral("Page width"));
    WholePageB = toolButton(ToolBar, "WholePageB", QStringLiteral("whole_page"),
                            QStringLiteral("Whole page"));
    FullScreenBtn = toolButton(ToolBar, "FullScreenBtn", QStringLiteral("full_screen"),
                               QStringLiteral("Full Screen"));
    Separator2 = separator(ToolBar, "Separator2");
    OutlineB =
        toolButton(ToolBar, "OutlineB", QStringLiteral("outline"), QStringLiteral("Outline"));
    ThumbB =
        toolButton(ToolBar, "ThumbB", QStringLiteral("thumbnails"), QStringLiteral("Thumbnails"));
    PageSettingsB = toolButton(ToolBar, "PageSettingsB", QStringLiteral("page_settings"),
                               QStringLiteral("Page settings"));
    DesignerB =
        toolButton(ToolBar, "DesignerB", QStringLiteral("edit"), QStringLiteral("Edit page"));
    Separator3 = separator(ToolBar, "Separator3");
    FirstB = toolButton(ToolBar, "FirstB", QStringLiteral("first"), QStringLiteral("First page"));
    PriorB =
        toolButton(ToolBar, "PriorB", QStringLiteral("prior"), QStringLiteral("Previous page"));
    PageE = new QLineEdit(ToolBar);
    PageE->setObjectName(QStringLiteral("PageE"));
    PageE->setFixedSize(41, 21);
    PageE->setAlignment(Qt::AlignCenter);
    NextB = toolButton(ToolBar, "NextB", QStringLiteral("next"), QStringLiteral("Next page"));
    LastB = toolButton(ToolBar, "LastB", QStringLiteral("last"), QStringLiteral("Last page"));
    CancelB = new QPushButton(QStringLiteral("Close"), ToolBar);
    CancelB->setObjectName(QStringLiteral("CancelB"));
    CancelB->setFixedSize(68, 23);
    CancelB->setFocusPolicy(Qt::NoFocus);

    // Opening and saving prepared reports, their outline, thumbnails, page
    // settings and editing belong to no command of this program: offered,
    // they show, but do nothing.
    for (QToolButton* outside : {OpenB, SaveB, OutlineB, ThumbB, PageSettingsB, DesignerB})
        outside->setEnabled(false);

    for (QToolButton* button : ToolBar->findChildren<QToolButton*>())
        button->installEventFilter(this);

    connect(PrintB, &QToolButton::clicked, this, &TPreviewForm::PrintBClick);
    connect(ExportB, &QToolButton::clicked, this, &TPreviewForm::exportToPdf);
    connect(ZoomCB, &QComboBox::activated, this, &TPreviewForm::ZoomCBChange);
    connect(ZoomCB->lineEdit(), &QLineEdit::returnPressed, this, &TPreviewForm::ZoomCBChange);
    connect(PageWidthB, &QToolButton::clicked, this, &TPreviewForm::PageWidthBClick);
    connect(WholePageB, &QToolButton::clicked, this, &TPreviewForm::WholePageBClick);
    connect(FullScreenBtn, &QToolButton::clicked, this, &TPreviewForm::FullScreenBtnClick);
    connect(FirstB, &QToolButton::clicked, this, [this] { goToPage(1); });
    connect(PriorB, &QToolButton::clicked, this, [this] { goToPage(currentPage() - 1); });
    connect(NextB, &QToolButton::clicked, this, [this] { goToPage(currentPage() + 1); });
    connect(LastB, &QToolButton::clicked, this, [this] { goToPage(PageArea->pageCount()); });
    connect(PageE, &QLineEdit::returnPressed, this, [this] { goToPage(PageE->text().toInt()); });
    connect(CancelB, &QPushButton::clicked, this, &TPreviewForm::CancelBClick);

    packToolBar();
}

// Items show only for the commands offered; the visible ones stay packed
// from the left, 1 px apart.
void TPreviewForm::packToolBar() {
    const bool zoom = offers(pbZoom);
    const bool navigator = offers(pbNavigator);
    struct Item {
        QWidget* widget;
        bool visible;
    };
    const Item items[] = {
        {PrintB, offers(pbPrint)},
        {OpenB, offers(pbLoad)},
        {SaveB, offers(pbSave)},
        {ExportB, offers(pbExport)},
        {Separator1, offers(pbZoom | pbFullScreen)},
        {ZoomCB, zoom},
        {PageWidthB, zoom},
        {WholePageB, zoom},
        {FullScreenBtn, offers(pbFullScreen)},
        {Separator2, offers(pbOutline | pbThumbnails | pbPageSetup | pbEdit)},
        {OutlineB, offers(pbOutline)},
        {ThumbB, offers(pbThumbnails)},
        {PageSettingsB, offers(pbPageSetup)},
        {DesignerB, offers(pbEdit)},
        {Separator3, offers(pbNavigator | pbClose)},
        {FirstB, navigator},
        {PriorB, navigator},
        {PageE, navigator},
        {NextB, navigator},
        {LastB, navigator},
        {CancelB, offers(pbClose)},
    };
    int x = FirstItemX;
    for (const Item& item : items) {
        if (!item.visible) {
            item.widget->hide();
            continue;
        }
        // Buttons sit at the top line, the smaller boxes centred on them.
        const int y = ButtonTop + (25 - item.widget->height()) / 2;
        item.widget->move(x, y);
        item.widget->show();
        x += item.widget->width() + 1;
    }
}

void TPreviewForm::buildStatusBar() {
    StatusBar = new QWidget(this);
    StatusBar->setObjectName(QStringLiteral("StatusBar"));
    StatusBar->setFixedHeight(StatusBarHeight);
    StatusPanel1 = statusPanel(StatusBar, "StatusPanel1", 0, 249);
    StatusPanel2 = statusPanel(StatusBar, "StatusPanel2", 251, 265);
    StatusPanel3 = statusPanel(StatusBar, "StatusPanel3", 518, 273);
}

void TPreviewForm::showStatus() {
    const int page = currentPage();
    StatusPanel1->setText(
        QStringLiteral("Page %1 of %2").arg(page).arg(report_.prepared().count()));
    PageE->setText(QString::number(page));
}

double TPreviewForm::zoom() const {
    return PageArea->zoom();
}

void TPreviewForm::setZoom(double zoom) {
    zoom = std::clamp(zoom, MinZoom, MaxZoom);
    if (zoom != PageArea->zoom())
        PageArea->setZoom(zoom);
    ZoomCB->setEditText(zoomText(zoom));
}

int TPreviewForm::currentPage() const {
    return report_.prepared().isEmpty() ? 0 : PageArea->currentPage() + 1;
}

void TPreviewForm::goToPage(int page) {
    if (page >= 1 && page <= PageArea->pageCount())
        PageArea->showPage(page - 1);
    showStatus();
}

void TPreviewForm::PrintBClick() {
    printReport(report_, this, currentPage());
}

void TPreviewForm::ZoomCBChange() {
    QString text = ZoomCB->currentText();
    // Enter in the box also counts as choosing: the zoom it shows is in force.
    if (text == zoomText(zoom()))
        return;
    text.remove(u'%');
    text.remove(u' ');
    bool isNumber = false;
    const double percent = text.toDouble(&isNumber);
    if (isNumber)
        setZoom(percent / 100.0);
    else
        setZoom(zoom()); // back to the zoom in force
}

void TPreviewForm::PageWidthBClick() {
    if (report_.prepared().isEmpty())
        return;
    const QSizeF page = PageArea->pageSize(currentPage() - 1);
    setZoom((PageArea->width() - FitMargin) / page.width());
}

void TPreviewForm::WholePageBClick() {
    if (report_.prepared().isEmpty())
        return;
    const int shown = currentPage() - 1;
    const QSizeF page = PageArea->pageSize(shown);
    const QSizeF area = PageArea->size();
    if (page.height() / page.width() >= area.height() / area.width())
        setZoom((area.height() - FitMargin) / page.height());
    else
        setZoom((area.width() - FitMargin) / page.width());
    PageArea->showPage(shown);
}

void TPreviewForm::FullScreenBtnClick() {
    fullScreen_ = !fullScreen_;
    if (fullScreen_) {
        stateBeforeFullScreen_ = windowState();
        ToolBar->hide();
        StatusBar->hide();
        HintPanel->hide();
        setWindowState(Qt::WindowFullScreen);
    } else {
        setWindowState(stateBeforeFullScreen_);
        ToolBar->show();
        StatusBar->show();
    }
}

void TPreviewForm::CancelBClick() {
    close();
}

void TPreviewForm::zoomIn() {
    setZoom(zoom() + ButtonZoomStep);
}

void TPreviewForm::zoomOut() {
    setZoom(zoom() - ButtonZoomStep);
}

void TPreviewForm::zoomByWheel(int notches) {
    setZoom(std::max(MinWheelZoom, zoom() + notches * WheelZoomStep));
}

void TPreviewForm::exportToPdf() {
    exportReportToPdf(report_, this);
}

QMenu* TPreviewForm::makeContextMenu() {
    auto* menu = new QMenu(this);
    menu->setObjectName(QStringLiteral("PreviewMenu"));
    if (offers(pbPrint))
        menu->addAction(QStringLiteral("Print"), this, &TPreviewForm::PrintBClick);
    if (offers(pbFullScreen))
        menu->addAction(QStringLiteral("Full Screen"), this, &TPreviewForm::FullScreenBtnClick);
    if (offers(pbZoom)) {
        menu->addAction(QStringLiteral("Zoom In"), this, &TPreviewForm::zoomIn);
        menu->addAction(QStringLiteral("Zoom Out"), this, &TPreviewForm::zoomOut);
    }
    if (!menu->isEmpty())
        menu->addSeparator();
    menu->addAction(QStringLiteral("Export to PDF"), this, &TPreviewForm::exportToPdf);
    return menu;
}

void TPreviewForm::showHint(QToolButton* button) {
    HintPanel->setText(button->property("hint").toString());
    HintPanel->adjustSize();
    const QPoint corner = button->mapTo(this, QPoint(0, 0));
    // Below the button, centred on it; beside it when that would leave the window.
    QPoint at(corner.x() + (button->width() - HintPanel->width()) / 2,
              corner.y() + button->height() + 4);
    if (at.x() < 2)
        at = QPoint(corner.x() + button->width() + 4, corner.y() + button->height() / 2);
    HintPanel->move(at);
    HintPanel->raise();
    HintPanel->show();
}

bool TPreviewForm::eventFilter(QObject* watched, QEvent* event) {
    if (auto* button = qobject_cast<QToolButton*>(watched)) {
        if (event->type() == QEvent::Enter)
            showHint(button);
        else if (event->type() == QEvent::Leave || event->type() == QEvent::Hide)
            HintPanel->hide();
    }
    return QDialog::eventFilter(watched, event);
}

void TPreviewForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!placed_ && !(windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))) {
        QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
        if (screen) {
            // Never larger than the screen: the page area scrolls instead.
            resize(size().boundedTo(screen->availableGeometry().size() - ui::frameAllowance(this)));
            move(screen->availableGeometry().center() - rect().center());
        }
    }
    placed_ = true;
}

} // namespace scontrix::report
