#include "AppFixture.h"
#include "ui/Accessibility.h"
#include "ui/LinkText.h"
#include "ui/Picture.h"
#include "ui/Windows.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QApplication>
#include <QLineEdit>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace scontrix;

namespace {

// A clickable picture is read as a push button named by what it does and
// described by its status hint; "press" clicks it, once the caller has its
// answer. A picture that does nothing is a graphic with nothing to press.
TEST(AccessiblePictures, AreButtonsThatAnswerPress) {
    QWidget window;
    auto* save = new ui::Picture(&window);
    save->setClickable(true);
    auto* decoration = new ui::Picture(&window);
    ui::nameControls({{save, "Salva", "Salva la scheda in archivio."}});
    QSignalSpy clicks(save, &ui::Picture::clicked);

    QAccessibleInterface* button = QAccessible::queryAccessibleInterface(save);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->role(), QAccessible::Button);
    EXPECT_EQ(button->text(QAccessible::Name), QStringLiteral("Salva"));
    EXPECT_EQ(button->text(QAccessible::Description),
              QStringLiteral("Salva la scheda in archivio."));
    EXPECT_EQ(save->statusTip(), QStringLiteral("Salva la scheda in archivio."));
    ASSERT_NE(button->actionInterface(), nullptr);
    const QStringList actions = button->actionInterface()->actionNames();
    ASSERT_TRUE(actions.contains(QAccessibleActionInterface::pressAction()));

    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(clicks.count(), 0) << "pressed before the caller had its answer";
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);

    save->setEnabled(false);
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1) << "a disabled picture was pressed";

    QAccessibleInterface* graphic = QAccessible::queryAccessibleInterface(decoration);
    ASSERT_NE(graphic, nullptr);
    EXPECT_EQ(graphic->role(), QAccessible::Graphic);
    EXPECT_TRUE(graphic->actionInterface()->actionNames().isEmpty());
}

TEST(AccessibleLinks, AreLinksNamedByTheirWordsThatAnswerPress) {
    QWidget window;
    auto* link = new ui::LinkText(QStringLiteral("Visualizza guida in formato PDF"), &window);
    QSignalSpy clicks(link, &ui::LinkText::clicked);
    QAccessibleInterface* a = QAccessible::queryAccessibleInterface(link);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->role(), QAccessible::Link);
    EXPECT_EQ(a->text(QAccessible::Name), QStringLiteral("Visualizza guida in formato PDF"));
    a->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QApplication::processEvents();
    EXPECT_EQ(clicks.count(), 1);
}

// A field is named by the caption beside it, without the colon.
TEST(AccessibleNames, FieldsAreNamedByTheirCaptions) {
    QLineEdit field;
    ui::nameByCaption(&field, QStringLiteral(" Via e numero civico: "));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&field)->text(QAccessible::Name),
              QStringLiteral("Via e numero civico"));
}

// A bitmap is drawn fitted into the picture's box, keeping its proportions,
// and the drawing follows a new bitmap and a new size (the picture keeps its
// drawing in device pixels between paints).
TEST(Pictures, ShowTheirBitmapFittedAndFollowEveryChange) {
    auto filled = [](int width, int height, Qt::GlobalColor colour) {
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(colour);
        return image;
    };
    ui::Picture picture;
    picture.setScaling(ui::Picture::Scaling::Fit);
    picture.resize(90, 90);
    picture.setImage(filled(300, 100, Qt::red));
    auto colourAt = [&](int x, int y) { return picture.grab().toImage().pixelColor(x, y); };
    EXPECT_EQ(colourAt(45, 45), QColor(Qt::red));
    EXPECT_NE(colourAt(45, 5), QColor(Qt::red)) << "above the fitted bitmap";

    picture.setImage(filled(600, 200, Qt::blue)); // fitted into the same box
    EXPECT_EQ(colourAt(45, 45), QColor(Qt::blue)) << "the new bitmap, not the one drawn before";

    picture.setImage(filled(100, 300, Qt::green));
    EXPECT_EQ(colourAt(45, 5), QColor(Qt::green));
    EXPECT_NE(colourAt(5, 45), QColor(Qt::green)) << "beside the fitted bitmap";

    picture.resize(300, 300);
    EXPECT_EQ(colourAt(150, 295), QColor(Qt::green)) << "drawn again for the larger box";
    EXPECT_NE(colourAt(40, 150), QColor(Qt::green));

    picture.setScaling(ui::Picture::Scaling::Stretch);
    EXPECT_EQ(colourAt(5, 150), QColor(Qt::green)) << "stretched over the whole box";
}

// A click on an empty part of a full-screen window (its backdrop, a
// decorative picture) leaves the keyboard in the field being typed in.
TEST(FullScreenWindows, AClickOnNothingKeepsTheFieldsFocus) {
    ui::FullScreenWindow window(QStringLiteral(" Prova"), QSize(600, 400), Qt::blue);
    auto* field = new QLineEdit(window.container());
    field->setGeometry(10, 10, 200, 24);
    auto* decoration = new ui::Picture(window.container());
    decoration->setGeometry(10, 100, 200, 200);
    window.showMaximized();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    test::focus(field);
    ASSERT_TRUE(field->hasFocus());

    QTest::mouseClick(decoration, Qt::LeftButton, {}, QPoint(100, 100));
    EXPECT_TRUE(field->hasFocus())
        << "focus went to "
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                        : "nothing");
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("abc"));
    EXPECT_EQ(field->text(), QStringLiteral("abc"));
}

// A fixed window minimised or maximised by a window manager that offers the
// buttons anyway comes back to its normal state and size.
TEST(FixedFrames, ComeBackFromMinimisedOrMaximised) {
    for (const Qt::WindowState state : {Qt::WindowMinimized, Qt::WindowMaximized}) {
        ui::FixedWindow window(QStringLiteral(" Prova"), QSize(300, 200), QSize(280, 180),
                               Qt::blue);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        window.setWindowState(state);
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return window.windowState() == Qt::WindowNoState; }, 2000))
            << "stayed in state " << int(state);
        EXPECT_EQ(window.size(), QSize(300, 200));
        EXPECT_TRUE(window.isVisible());
    }
}

// A dialog bigger than the screen shrinks to it and scrolls, keeping its
// content at its design size and every control within reach.
TEST(DialogWindows, ShrinkToASmallScreenAndScroll) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    const QSize design(area.width() / 2, area.height() + 300);
    ui::DialogWindow dialog(nullptr, QStringLiteral(" Prova"), design, ui::Placement::ScreenCentre);
    auto* last = new QLineEdit(&dialog);
    last->setGeometry(10, design.height() - 40, 100, 24);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    ASSERT_NE(dialog.scrollArea(), nullptr);
    EXPECT_TRUE(area.contains(dialog.geometry()));
    EXPECT_EQ(dialog.scrollArea()->widget()->size(), design);
    EXPECT_EQ(last->parentWidget(), dialog.scrollArea()->widget());
    EXPECT_EQ(last->geometry(), QRect(10, design.height() - 40, 100, 24));
    // Only the height scrolls: the width took the scroll bar in.
    EXPECT_EQ(dialog.scrollArea()->horizontalScrollBar()->maximum(), 0);
    dialog.scrollArea()->ensureWidgetVisible(last);
    const QRect shown(last->mapTo(&dialog, QPoint(0, 0)), last->size());
    EXPECT_TRUE(dialog.rect().contains(shown));
}

// A dialog that fits is left as designed.
TEST(DialogWindows, KeepTheirDesignWhereTheyFit) {
    ui::DialogWindow dialog(nullptr, QStringLiteral(" Prova"), QSize(300, 200),
                            ui::Placement::ScreenCentre);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    EXPECT_EQ(dialog.scrollArea(), nullptr);
    EXPECT_EQ(dialog.size(), QSize(300, 200));
}

} // namespace
