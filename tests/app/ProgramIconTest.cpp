#include "AppFixture.h"
#include "app/Startup.h"
#include "app/TfrmAvvio.h"
#include "ui/Picture.h"

#include <QDialog>
#include <QIcon>
#include <QTimer>

using namespace scontrix;

namespace {

using ProgramIcon = test::AppFixture;

QImage drawn(const QIcon& icon) {
    return icon.pixmap(QSize(32, 32)).toImage().convertToFormat(QImage::Format_ARGB32);
}

// The desktop's task list, window switcher and title bars show the program's
// own icon for every window, whether persistent or a dialog opened on use.
TEST_F(ProgramIcon, EveryWindowAndEveryDialogShowsIt) {
    const QImage expected = drawn(QIcon(QString::fromLatin1(app::ProgramIcon)));
    ASSERT_FALSE(expected.isNull());
    ASSERT_GT(expected.pixelColor(16, 26).alpha(), 0) << "the artwork draws something";
    QList<QWidget*> all = windows->persistent();
    const std::vector<std::unique_ptr<QWidget>> dialogs = makeDialogs(windows->frmBiglietti());
    for (const auto& d : dialogs)
        all << d.get();
    for (QWidget* w : all)
        EXPECT_EQ(drawn(w->windowIcon()), expected) << w->objectName().toStdString();

    logIn();
    QImage dialogIcon;
    QString dialogName;
    QTimer::singleShot(0, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            dialogName = dialog->objectName();
            dialogIcon = drawn(dialog->windowIcon());
            dialog->reject();
        }
    });
    ui::Picture* info = windows->frmAvvio()->imgInfo;
    QTest::mouseClick(info, Qt::LeftButton, {}, info->rect().center());
    EXPECT_EQ(dialogName, QStringLiteral("frmInfo"));
    EXPECT_EQ(dialogIcon, expected);
}

} // namespace
