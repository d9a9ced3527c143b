#include "../report_core/Poppler.h"
#include "ReportWindowFixture.h"
#include "report/PreviewPageArea.h"
#include "report/ReportActions.h"
#include "report/TPreviewForm.h"
#include "report/TPrintDialog.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

using namespace scontrix;
using namespace scontrix::report;
using namespace scontrix::test;

namespace {

const TPreviewButtons VoucherButtons = pbPrint | pbZoom | pbFullScreen | pbClose;

// A voucher-like sheet: one A4 page with a framed orange bar.
void fillSheet(TReport& report) {
    report.ReportOptions.Name = QStringLiteral("Buono Acquisto");
    report.PreviewOptions.Buttons = VoucherButtons;
    report.PreviewOptions.AllowEdit = false;
    TReportPage* page = report.reportPage();
    page->setPaperWidth(210);
    page->setPaperHeight(297);
    auto* bar = page->add<TShapeView>(QStringLiteral("shpHeader"));
    bar->setBounds(mmToPx(10), mmToPx(10), mmToPx(100), mmToPx(20));
    bar->Color = claOrange;
    bar->Frame.Color = claOrange;
}

class Preview : public ReportWindows {
protected:
    Preview() {
        fillSheet(sheet);
        EXPECT_TRUE(sheet.prepare());
        EXPECT_TRUE(list.report.prepare());
    }

    // Types into the zoom box and presses Enter, as a user does.
    static void typeZoom(TPreviewForm& form, const QString& text) {
        form.ZoomCB->lineEdit()->clear();
        QTest::keyClicks(form.ZoomCB->lineEdit(), text);
        QTest::keyClick(form.ZoomCB->lineEdit(), Qt::Key_Return);
    }

    static void wheel(TPreviewForm& form, int notches, Qt::KeyboardModifiers modifiers) {
        QWidget* target = form.PageArea->viewport();
        const QPointF at(50, 50);
        QWheelEvent event(at, target->mapToGlobal(at), QPoint(), QPoint(0, notches * 120),
                          Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(target, &event);
    }

    static QStringList menuTexts(QMenu* menu) {
        QStringList texts;
        for (QAction* action : menu->actions())
            texts << action->text();
        return texts;
    }

    static void trigger(QMenu* menu, const QString& text) {
        for (QAction* action : menu->actions()) {
            if (action->text() == text)
                return action->trigger();
        }
        ADD_FAILURE() << "no entry " << text.toStdString();
    }

    TReport sheet;
    ListTemplate list{150};
};

} // namespace

TEST_F(Preview, VoucherToolbarIsPackedFromTheLeft) {
    TPreviewForm form(sheet);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Buono Acquisto"));
    EXPECT_EQ(form.ToolBar->height(), 31);
    EXPECT_EQ(form.StatusBar->height(), 24);

    // What shows, in order, where: print, separator, zoom box, page width,
    // whole page, full screen, separator, close.
    const std::vector<std::pair<QWidget*, int>> shown = {
        {form.PrintB, 5},       {form.Separator1, 31},  {form.ZoomCB, 40},
        {form.PageWidthB, 110}, {form.WholePageB, 136}, {form.FullScreenBtn, 162},
        {form.Separator3, 188}, {form.CancelB, 197},
    };
    for (const auto& [widget, x] : shown) {
        EXPECT_TRUE(widget->isVisibleTo(&form)) << widget->objectName().toStdString();
        EXPECT_EQ(widget->x(), x) << widget->objectName().toStdString();
    }
    EXPECT_EQ(form.PrintB->size(), QSize(25, 25));
    EXPECT_EQ(form.PrintB->y(), 3);
    EXPECT_EQ(form.ZoomCB->width(), 69);
    EXPECT_EQ(form.CancelB->size(), QSize(68, 23));
    EXPECT_EQ(form.CancelB->text(), QStringLiteral("Close"));
    for (QWidget* hidden : std::initializer_list<QWidget*>{
             form.OpenB, form.SaveB, form.ExportB, form.Separator2, form.OutlineB, form.ThumbB,
             form.PageSettingsB, form.DesignerB, form.FirstB, form.PriorB, form.PageE, form.NextB,
             form.LastB})
        EXPECT_FALSE(hidden->isVisibleTo(&form)) << hidden->objectName().toStdString();

    EXPECT_EQ(form.StatusPanel1->text(), QStringLiteral("Page 1 of 1"));
    EXPECT_EQ(form.StatusPanel1->width(), 249);
    EXPECT_EQ(form.StatusPanel2->width(), 265);
    EXPECT_EQ(form.StatusPanel3->width(), 273);
}

TEST_F(Preview, EveryItemShowsWhenEveryCommandIsOffered) {
    list.report.ReportOptions.Name.clear();
    TPreviewForm form(list.report);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Preview"));
    const QList<QWidget*> order = {
        form.PrintB,   form.OpenB,      form.SaveB,         form.ExportB,       form.Separator1,
        form.ZoomCB,   form.PageWidthB, form.WholePageB,    form.FullScreenBtn, form.Separator2,
        form.OutlineB, form.ThumbB,     form.PageSettingsB, form.DesignerB,     form.Separator3,
        form.FirstB,   form.PriorB,     form.PageE,         form.NextB,         form.LastB,
        form.CancelB};
    int x = 5;
    for (QWidget* item : order) {
        EXPECT_TRUE(item->isVisibleTo(&form)) << item->objectName().toStdString();
        EXPECT_EQ(item->x(), x) << item->objectName().toStdString();
        x += item->width() + 1;
    }
    EXPECT_FALSE(form.OpenB->isEnabled()) << "commands outside this program do nothing";
}

TEST_F(Preview, HintsShowBelowTheButtons) {
    TPreviewForm form(sheet);
    form.show();
    QEvent enter(QEvent::Enter);
    QApplication::sendEvent(form.WholePageB, &enter);
    EXPECT_TRUE(form.HintPanel->isVisible());
    EXPECT_EQ(form.HintPanel->text(), QStringLiteral("Whole page"));
    EXPECT_GT(form.HintPanel->y(), form.WholePageB->mapTo(&form, QPoint(0, 25)).y() - 1);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(form.WholePageB, &leave);
    EXPECT_FALSE(form.HintPanel->isVisible());

    const std::pair<QToolButton*, const char*> hints[] = {{form.PrintB, "Print"},
                                                          {form.PageWidthB, "Page width"},
                                                          {form.FullScreenBtn, "Full Screen"}};
    for (const auto& [button, hint] : hints) {
        QApplication::sendEvent(button, &enter);
        EXPECT_EQ(form.HintPanel->text(), QString::fromLatin1(hint));
        EXPECT_GE(form.HintPanel->x(), 0);
        QApplication::sendEvent(button, &leave);
    }
}

TEST_F(Preview, ZoomBoxTakesTypedAndChosenValuesWithinLimits) {
    TPreviewForm form(sheet);
    EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("100%"));
    const struct {
        const char* typed;
        double zoom;
        const char* shown;
    } cases[] = {
        {"150", 1.5, "150%"}, {"150%", 1.5, "150%"}, {" 75 %", 0.75, "75%"}, {"1000", 5.0, "500%"},
        {"10", 0.25, "25%"},  {"abc", 0.25, "25%"},  {"33.3", 0.333, "33%"},
    };
    for (const auto& c : cases) {
        typeZoom(form, QString::fromLatin1(c.typed));
        EXPECT_NEAR(form.zoom(), c.zoom, 1e-9) << c.typed;
        EXPECT_EQ(form.ZoomCB->currentText(), QString::fromLatin1(c.shown)) << c.typed;
    }
    const QStringList items = {QStringLiteral("25%"),  QStringLiteral("50%"),
                               QStringLiteral("75%"),  QStringLiteral("100%"),
                               QStringLiteral("150%"), QStringLiteral("200%"),
                               QStringLiteral("300%")};
    for (int i = 0; i < items.size(); ++i)
        EXPECT_EQ(form.ZoomCB->itemText(i), items[i]);
    form.ZoomCB->setCurrentIndex(5);
    emit form.ZoomCB->activated(5);
    EXPECT_DOUBLE_EQ(form.zoom(), 2.0);
}

TEST_F(Preview, WheelScrollsAndWithCtrlZoomsNeverBelowThirtyPercent) {
    TPreviewForm form(list.report);
    form.resize(800, 600);
    form.show();
    QScrollBar* bar = form.PageArea->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 100);
    wheel(form, -3, Qt::NoModifier);
    EXPECT_EQ(bar->value(), 60) << "20 px per notch";
    wheel(form, 1, Qt::NoModifier);
    EXPECT_EQ(bar->value(), 40);

    wheel(form, -1, Qt::ControlModifier);
    EXPECT_NEAR(form.zoom(), 0.9, 1e-9);
    wheel(form, 2, Qt::ControlModifier);
    EXPECT_NEAR(form.zoom(), 1.1, 1e-9);
    for (int i = 0; i < 12; ++i)
        wheel(form, -1, Qt::ControlModifier);
    EXPECT_NEAR(form.zoom(), 0.3, 1e-9);
    EXPECT_EQ(form.ZoomCB->currentText(), QStringLiteral("30%"));

    form.setZoom(0.25); // smaller through the box
    wheel(form, -1, Qt::ControlModifier);
    EXPECT_NEAR(form.zoom(), 0.3, 1e-9) << "a wheel result below 30 % becomes 30 %";
}

TEST_F(Preview, ContextMenuEntriesAndZoomSteps) {
    TPreviewForm form(sheet);
    std::unique_ptr<QMenu> menu(form.makeContextMenu());
    EXPECT_EQ(menuTexts(menu.get()),
              (QStringList{QStringLiteral("Print"), QStringLiteral("Full Screen"),
                           QStringLiteral("Zoom In"), QStringLiteral("Zoom Out"), QString(),
                           QStringLiteral("Export to PDF")}));
    trigger(menu.get(), QStringLiteral("Zoom In"));
    EXPECT_DOUBLE_EQ(form.zoom(), 1.25);
    form.setZoom(0.4);
    trigger(menu.get(), QStringLiteral("Zoom Out"));
    EXPECT_DOUBLE_EQ(form.zoom(), 0.25) << "never below 25 %";
    form.setZoom(4.9);
    trigger(menu.get(), QStringLiteral("Zoom In"));
    EXPECT_DOUBLE_EQ(form.zoom(), 5.0) << "never above 500 %";
}

TEST_F(Preview, PageWidthAndWholePage) {
    TPreviewForm form(sheet);
    form.setWindowState(Qt::WindowNoState);
    form.resize(900, 500);
    form.show();
    const QSize area = form.PageArea->size();
    QTest::mouseClick(form.PageWidthB, Qt::LeftButton);
    EXPECT_NEAR(form.zoom(), (area.width() - 26) / mmToPx(210), 1e-9);
    QTest::mouseClick(form.WholePageB, Qt::LeftButton);
    EXPECT_NEAR(form.zoom(), (area.height() - 26) / mmToPx(297), 1e-9)
        << "a tall page in a wide area";
    EXPECT_EQ(form.ZoomCB->currentText(),
              QString::number(std::lround(form.zoom() * 100)) + QStringLiteral("%"));

    form.resize(500, 900);
    const QSize tall = form.PageArea->size();
    QTest::mouseClick(form.WholePageB, Qt::LeftButton);
    EXPECT_NEAR(form.zoom(), (tall.width() - 26) / mmToPx(210), 1e-9)
        << "a page wider than the area";
}

TEST_F(Preview, FullScreenAndBack) {
    TPreviewForm form(sheet);
    form.show();
    const Qt::WindowStates before = form.windowState();
    EXPECT_TRUE(before & Qt::WindowMaximized) << "the preview opens maximized";
    form.FullScreenBtnClick();
    EXPECT_FALSE(form.ToolBar->isVisible());
    EXPECT_FALSE(form.StatusBar->isVisible());
    EXPECT_TRUE(form.windowState() & Qt::WindowFullScreen);
    form.FullScreenBtnClick();
    EXPECT_TRUE(form.ToolBar->isVisible());
    EXPECT_TRUE(form.StatusBar->isVisible());
    EXPECT_EQ(form.windowState(), before);
}

TEST_F(Preview, PagesInRowsAndTheStatusFollowsThePageShown) {
    TPreviewForm form(list.report);
    form.setWindowState(Qt::WindowNoState);
    form.resize(803, 584);
    form.show();
    EXPECT_EQ(form.StatusPanel1->text(), QStringLiteral("Page 1 of 3"));
    form.goToPage(3);
    EXPECT_EQ(form.StatusPanel1->text(), QStringLiteral("Page 3 of 3"));
    EXPECT_EQ(form.currentPage(), 3);

    // Small enough, the three landscape pages share one row.
    form.setZoom(0.25);
    const PagesLayout& layout = form.PageArea->pagesLayout();
    ASSERT_EQ(layout.pages.size(), 3);
    EXPECT_EQ(layout.pages[0].top(), 10);
    EXPECT_EQ(layout.pages[1].top(), 10);
    EXPECT_EQ(layout.pages[1].left(), layout.pages[0].right() + 1 + 10);

    // The page area: grey, the page white in a black frame, its objects on it.
    const QImage shown = form.PageArea->viewport()->grab().toImage();
    const QRect first = layout.pages[0].translated(-form.PageArea->horizontalScrollBar()->value(),
                                                   -form.PageArea->verticalScrollBar()->value());
    auto at = [&](int x, int y) {
        return shown.pixelColor(QPoint(x, y) * shown.devicePixelRatio());
    };
    EXPECT_EQ(at(2, 2), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(at(first.left() - 1, first.center().y()), QColor(Qt::black));
    EXPECT_EQ(at(first.right() - 3, first.bottom() - 3), QColor(Qt::white));
}

TEST(PreviewLayout, RowsOfPages) {
    const QList<QSize> three(3, QSize(200, 100));
    const PagesLayout wide = layoutPages(three, 500);
    EXPECT_EQ(wide.pages, (QList<QRect>{QRect(45, 10, 200, 100), QRect(255, 10, 200, 100),
                                        QRect(150, 120, 200, 100)}))
        << "two fit a row; each row centred";
    EXPECT_EQ(wide.contentSize, QSize(500, 230));

    const PagesLayout narrow = layoutPages(three, 100);
    EXPECT_EQ(narrow.pages[0], QRect(10, 10, 200, 100)) << "at least one per row";
    EXPECT_EQ(narrow.pages[2], QRect(10, 230, 200, 100));
    EXPECT_EQ(narrow.contentSize, QSize(220, 340)) << "wider than the area: it scrolls";
}

TEST(PreviewCache, KeepsFiftyPagesDroppingTheLeastRecentlyShown) {
    PageImageCache cache;
    for (int page = 0; page < 50; ++page)
        cache.insert(page, QImage(1, 1, QImage::Format_RGB32));
    ASSERT_NE(cache.find(0), nullptr); // page 0 shown again
    cache.insert(50, QImage(1, 1, QImage::Format_RGB32));
    EXPECT_EQ(cache.size(), 50);
    EXPECT_TRUE(cache.contains(0));
    EXPECT_FALSE(cache.contains(1)) << "shown longest ago";
    EXPECT_TRUE(cache.contains(50));
}

TEST_F(Preview, PagesAreRenderedAgainAtANewZoom) {
    TPreviewForm form(sheet);
    form.show();
    form.PageArea->viewport()->grab();
    ASSERT_EQ(form.PageArea->cache().size(), 1);
    form.setZoom(2);
    EXPECT_EQ(form.PageArea->cache().size(), 0);
    form.PageArea->viewport()->grab();
    ASSERT_EQ(form.PageArea->cache().size(), 1);

    // In device pixels: sharp on a dense screen (run with QT_SCALE_FACTOR=2).
    const QImage* image = form.PageArea->cache().peek(0);
    const double ratio = form.PageArea->devicePixelRatioF();
    EXPECT_EQ(image->devicePixelRatio(), ratio);
    EXPECT_EQ(image->size(), form.PageArea->pagesLayout().pages[0].size() * ratio);
    EXPECT_NEAR(image->width(), mmToPx(210) * 2 * ratio, 1);
}

TEST_F(Preview, ShowReportRunsModallyAndPrintingLeavesItOpen) {
    bool stillOpen = false;
    whenModal<TPreviewForm>([&](TPreviewForm* preview) {
        EXPECT_TRUE(preview->isMaximized());
        whenModal<TPrintDialog>([](TPrintDialog* dialog) {
            EXPECT_TRUE(dialog->CurPageRB->isEnabled());
            dialog->CurPageRB->setChecked(true);
            QTest::mouseClick(dialog->OkB, Qt::LeftButton);
        });
        QTest::mouseClick(preview->PrintB, Qt::LeftButton);
        stillOpen = QApplication::activeModalWidget() == preview;
        QTest::keyClick(preview, Qt::Key_Escape);
    });
    showReport(sheet);
    EXPECT_TRUE(stillOpen) << "the preview stays open after printing";
    ASSERT_EQ(printSystem.jobs.size(), 1u);
    EXPECT_EQ(printSystem.jobs[0].target->pages, QList<int>{1}) << "the page shown";
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr) << "Esc closed it";
}

TEST_F(Preview, ExportToPdfWritesThePreparedReport) {
    QTemporaryDir dir;
    TPreviewForm form(list.report);
    desktop.files.answers = {dir.filePath(QStringLiteral("riepilogo"))};
    std::unique_ptr<QMenu> menu(form.makeContextMenu());
    trigger(menu.get(), QStringLiteral("Export to PDF"));
    ASSERT_EQ(desktop.files.requests.size(), 1u);
    EXPECT_EQ(desktop.files.requests[0].title, QStringLiteral("Export to PDF"));
    EXPECT_EQ(desktop.files.requests[0].suggestedPath, QStringLiteral("Riepilogo dati.pdf"));
    const QString file = dir.filePath(QStringLiteral("riepilogo.pdf"));
    ASSERT_TRUE(QFile::exists(file));
    if (const auto info = poppler(QStringLiteral("pdfinfo"), {file})) {
        EXPECT_TRUE(info->contains(QStringLiteral("Pages:           3"))) << info->toStdString();
    }
    EXPECT_TRUE(desktop.messages.messages.empty());

    desktop.files.answers = {dir.filePath(QStringLiteral("missing/folder/x.pdf"))};
    trigger(menu.get(), QStringLiteral("Export to PDF"));
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("The file \"%1\" could not be written.")
                              .arg(dir.filePath(QStringLiteral("missing/folder/x.pdf")))});
}
