#include "AppFixture.h"
#include "editor/TfrmBiglietti.h"
#include "ui/Picture.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QCalendarWidget>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <memory>

using namespace scontrix;

namespace {

class AccessibleNames : public test::AppFixture {};

// Across every window of the program, as a screen reader meets them: each
// picture that does something is a push button with a name and a
// description that can be pressed, and each field, list and grid has a name.
TEST_F(AccessibleNames, EveryPictureButtonFieldAndListOfEveryWindowHasOne) {
    editor::TfrmBiglietti* ed = windows->frmBiglietti();
    const std::vector<std::unique_ptr<QWidget>> dialogs = makeDialogs(ed);
    QList<QWidget*> all = windows->persistent();
    for (const auto& d : dialogs)
        all << d.get();

    int buttons = 0;
    for (QWidget* window : all) {
        const std::string where = window->objectName().toStdString();
        for (ui::Picture* picture : window->findChildren<ui::Picture*>()) {
            if (!picture->isClickable())
                continue;
            ++buttons;
            const std::string what = where + "/" + picture->objectName().toStdString();
            QAccessibleInterface* a = QAccessible::queryAccessibleInterface(picture);
            ASSERT_NE(a, nullptr) << what;
            EXPECT_EQ(a->role(), QAccessible::Button) << what;
            EXPECT_FALSE(a->text(QAccessible::Name).isEmpty()) << what;
            EXPECT_FALSE(a->text(QAccessible::Description).isEmpty()) << what;
            EXPECT_TRUE(a->actionInterface()->actionNames().contains(
                QAccessibleActionInterface::pressAction()))
                << what;
        }
        QList<QWidget*> named;
        for (QWidget* w : window->findChildren<QLineEdit*>())
            named << w;
        for (QWidget* w : window->findChildren<QAbstractItemView*>()) {
            // The calendar's own day table is inside the named calendar.
            if (!qobject_cast<QCalendarWidget*>(w->parentWidget()))
                named << w;
        }
        for (QWidget* w : window->findChildren<QCalendarWidget*>())
            named << w;
        for (QWidget* w : window->findChildren<QPlainTextEdit*>())
            named << w;
        for (QWidget* w : named) {
            // The calendar's and the spin boxes' inner editors belong to them.
            if (w->objectName().isEmpty() || w->objectName().startsWith(u"qt_"))
                continue;
            EXPECT_FALSE(
                QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
                << where << "/" << w->objectName().toStdString();
        }
    }
    // The start screen's nine, the editor's fifteen, the catalogue's, the
    // export window's three and the guide's, information's and credits' icons.
    EXPECT_GE(buttons, 9 + 15 + 3 + 3 + 3 + 3);
}

} // namespace
