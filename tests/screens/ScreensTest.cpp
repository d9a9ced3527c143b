// The windows on the screens shops have: run once per screen (see
// tests/CMakeLists.txt): full HD, 1366 x 768, full HD at 150 % and 200 %, and a
// 1024 x 600 netbook. Nothing may be out of reach: dialogs fit on the screen
// (scrolling inside when the screen is too small), full-screen windows scroll
// where the screen is smaller than their design, artwork stays sharp.

#include "EditorFixture.h"
#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmCalendario.h"
#include "export/TfrmExpBiglietti.h"
#include "guide/GuideTopic.h"
#include "guide/TfrmGuida.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "report/TPreviewForm.h"
#include "report/TReport.h"
#include "ui/Picture.h"
#include "ui/Windows.h"

#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <memory>

using namespace scontrix;

namespace {

QRect screenArea(const QWidget* w) {
    const QScreen* screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    return screen->availableGeometry();
}

QString screenName() {
    const QScreen* s = QGuiApplication::primaryScreen();
    return QStringLiteral("%1x%2 logical, pixel ratio %3")
        .arg(s->geometry().width())
        .arg(s->geometry().height())
        .arg(s->devicePixelRatio());
}

// Whether the whole of `content` can be brought into `area`'s viewport, by
// its being there already or by scrolling.
void expectReachable(QAbstractScrollArea* area, QSize content, const char* what) {
    const QSize view = area->viewport()->size();
    EXPECT_GE(view.width() + area->horizontalScrollBar()->maximum(), content.width()) << what;
    EXPECT_GE(view.height() + area->verticalScrollBar()->maximum(), content.height()) << what;
    if (content.width() > view.width()) {
        EXPECT_TRUE(area->horizontalScrollBar()->isVisible()) << what;
    }
    if (content.height() > view.height()) {
        EXPECT_TRUE(area->verticalScrollBar()->isVisible()) << what;
    }
}

class Screens : public test::EditorFixture {
protected:
    void SetUp() override {
        EditorFixture::SetUp();
        writeArchive(3);
        openEditor();
        std::cout << "[ screen   ] " << screenName().toStdString() << std::endl;
    }
};

// The four full-screen windows open maximized on the screen; where the screen
// is smaller than their design they scroll, so every control can be reached.
TEST_F(Screens, FullScreenWindowsOpenMaximizedAndScrollWhereTheScreenIsSmaller) {
    const QList<ui::FullScreenWindow*> full = {windows->frmAvvio(), windows->frmCreaArchivio(),
                                               windows->frmApriArchivio(), ed()};
    QWidget* shown = ed();
    for (ui::FullScreenWindow* w : full) {
        const std::string name = w->objectName().toStdString();
        windows->handOver(shown, w);
        shown = w;
        auto* scroll = w->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr) << name;
        // The scroll bars follow the maximized size once its events have run.
        const bool settled = QTest::qWaitFor(
            [&] {
                return scroll->verticalScrollBar()->isVisible() ==
                           (scroll->verticalScrollBar()->maximum() > 0) &&
                       scroll->horizontalScrollBar()->isVisible() ==
                           (scroll->horizontalScrollBar()->maximum() > 0);
            },
            1000);
        EXPECT_TRUE(settled) << name;
        EXPECT_TRUE(w->isMaximized()) << name;
        EXPECT_TRUE(screenArea(w).contains(w->geometry())) << name;

        const QSize design = w->container()->size();
        expectReachable(scroll, design, name.c_str());
        // Where it fits, the content is whole on screen and centred.
        const QRect onWindow(w->container()->mapTo(w, QPoint(0, 0)), design);
        if (design.width() + 8 <= w->width() && design.height() + 8 <= w->height()) {
            EXPECT_TRUE(w->rect().contains(onWindow)) << name;
            EXPECT_LE(std::abs(onWindow.center().x() - w->rect().center().x()), 1) << name;
        }
    }
}

// Every dialog, on every screen, lies within the screen with room for its
// title bar; a dialog bigger than the screen scrolls inside, so its buttons
// can still be reached.
TEST_F(Screens, DialogsFitOnTheScreen) {
    report::TReport report;
    const struct Dialog {
        const char* name;
        std::function<std::unique_ptr<QDialog>()> make;
    } dialogs[] = {
        {"guida",
         [&] { return std::make_unique<guide::TfrmGuida>(ed(), guide::startScreenTopic()); }},
        {"info", [&] { return std::make_unique<app::TfrmInfo>(windows->frmAvvio()); }},
        {"riconoscimenti", [&] { return std::make_unique<app::TfrmSplash>(windows->frmAvvio()); }},
        {"calendario", [&] { return std::make_unique<editor::TfrmCalendario>(ed()); }},
        {"trova", [&]() -> std::unique_ptr<QDialog> { return ed()->makeSearch(); }},
        {"non incassati", [&]() -> std::unique_ptr<QDialog> { return ed()->makeUnpaidSummary(); }},
        {"esporta",
         [&] { return std::make_unique<exporting::TfrmExpBiglietti>(ed(), ed()->archive()); }},
        {"stampa",
         [&] {
             return std::make_unique<printing::TfrmStampaBiglietto>(ed(),
                                                                    printing::VoucherSheetData{});
         }},
        {"anteprima",
         [&] {
             return std::make_unique<printing::TfrmAnteprimaBiglietto>(
                 ed(), printing::VoucherSheetData{});
         }},
        {"anteprima del motore",
         [&] { return std::make_unique<report::TPreviewForm>(report, ed()); }},
    };
    for (const Dialog& d : dialogs) {
        std::unique_ptr<QDialog> dialog = d.make();
        const QSize design = dialog->size();
        dialog->show();
        QApplication::processEvents();
        const QRect area = screenArea(dialog.get());
        const QSize allowance = ui::frameAllowance(dialog.get());
        EXPECT_LE(dialog->width() + allowance.width(), area.width()) << d.name;
        EXPECT_LE(dialog->height() + allowance.height(), area.height()) << d.name;
        EXPECT_TRUE(area.contains(dialog->geometry())) << d.name;

        auto* fitted = qobject_cast<ui::DialogWindow*>(dialog.get());
        if (fitted && fitted->scrollArea()) {
            // Shrunk to the screen: the content keeps its design and scrolls.
            const QSize body = fitted->scrollArea()->widget()->size();
            EXPECT_GE(body.width(), design.width()) << d.name;
            EXPECT_GE(body.height(), design.height()) << d.name;
            expectReachable(fitted->scrollArea(), body, d.name);
        } else if (fitted) {
            EXPECT_GE(dialog->width(), design.width()) << d.name;
            EXPECT_GE(dialog->height(), design.height()) << d.name;
        }
        dialog->close();
    }
}

// The login and change-password windows are small enough for every screen.
TEST_F(Screens, PasswordWindowsFitOnTheScreen) {
    for (QWidget* w : {static_cast<QWidget*>(windows->frmPassword()),
                       static_cast<QWidget*>(windows->frmCambiaPassword())}) {
        w->show();
        QApplication::processEvents();
        const QRect area = screenArea(w);
        EXPECT_TRUE(area.contains(w->geometry())) << w->objectName().toStdString();
        EXPECT_LE(w->height() + ui::frameAllowance(w).height(), area.height());
        w->hide();
    }
}

// Artwork is drawn in the screen's own pixels: an edge that falls on a device
// pixel boundary stays a hard edge, black against white, at any scaling. Drawn
// at one pixel per point and enlarged, it would come out grey.
TEST_F(Screens, ArtworkStaysSharpAtTheScreensPixelRatio) {
    ui::Picture picture;
    picture.resize(40, 10);
    const double ratio = picture.devicePixelRatioF();
    const int edge = 21; // in device pixels
    const double logicalEdge = edge / ratio;
    QTemporaryDir dir;
    const QString svg = dir.filePath(QStringLiteral("edge.svg"));
    QFile file(svg);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("<svg xmlns='http://www.w3.org/2000/svg' width='40' height='10' "
                              "viewBox='0 0 40 10'><rect width='40' height='10' fill='white'/>"
                              "<rect width='%1' height='10' fill='black'/></svg>")
                   .arg(logicalEdge, 0, 'f', 6)
                   .toUtf8());
    file.close();
    picture.setArtwork(svg);

    const QImage drawn = picture.grab().toImage();
    ASSERT_EQ(drawn.width(), std::lround(40 * ratio)) << "drawn in device pixels";
    const int row = drawn.height() / 2;
    EXPECT_LE(qGray(drawn.pixel(edge - 1, row)), 8) << "last black column at " << ratio;
    EXPECT_GE(qGray(drawn.pixel(edge, row)), 247) << "first white column at " << ratio;
}

} // namespace
