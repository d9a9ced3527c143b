#include "AppFixture.h"
#include "app/Application.h"
#include "app/TfrmAvvio.h"
#include "ui/Windows.h"

#include <QPushButton>
#include <QTimer>
#include <stdexcept>

using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

// A handler that fails as a file operation no window catches would.
QPushButton* failingButton(QWidget* parent, const char* description) {
    auto* button = new QPushButton(QStringLiteral("Prova"), parent);
    button->setGeometry(10, 10, 80, 30);
    QObject::connect(button, &QPushButton::clicked, button,
                     [description] { throw std::runtime_error(description); });
    button->show();
    return button;
}

class ErrorReport : public test::AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        logIn();
    }
};

TEST_F(ErrorReport, AnErrorNoHandlerCatchesIsShownAndTheProgramGoesOn) {
    ASSERT_TRUE(qobject_cast<app::Application*>(QCoreApplication::instance()))
        << "the program's application object delivers the events";
    app::TfrmAvvio* start = windows->frmAvvio();
    QPushButton* button = failingButton(start->container(), "File access denied");

    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed);
    EXPECT_EQ(desktop.messages.messages[0].type, platform::MessageType::Error);
    EXPECT_EQ(desktop.messages.messages[0].text, QStringLiteral("File access denied"));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start}) << "the window stays as it was";
    EXPECT_EQ(ends, 0);

    // The event loop is still there: the next failure is reported as well.
    QTest::mouseClick(button, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.messages.texts(), (QStringList{QStringLiteral("File access denied"),
                                                     QStringLiteral("File access denied")}));
}

TEST_F(ErrorReport, AnErrorInsideADialogLeavesTheDialogOpenOverItsOwner) {
    app::TfrmAvvio* start = windows->frmAvvio();
    ui::DialogWindow dialog(start, QStringLiteral(" Prova"), QSize(200, 100),
                            ui::Placement::OwnerCentre);
    QPushButton* button = failingButton(&dialog, "Disco pieno: è impossibile scrivere");
    bool stillOpen = false;
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
        QTest::mouseClick(button, Qt::LeftButton);
        QApplication::processEvents();
        stillOpen = dialog.isVisible();
        if (!desktop.messages.messages.empty())
            owner = desktop.messages.messages[0].owner;
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(owner, &dialog);
    EXPECT_EQ(desktop.messages.texts(),
              QStringList{QStringLiteral("Disco pieno: è impossibile scrivere")});
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{start});
}

} // namespace
