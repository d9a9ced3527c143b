#include "EditorFixture.h"
#include "PermissionsApply.h"
#include "TableRows.h"
#include "UnreadableFiles.h"
#include "app/TfrmAvvio.h"

#include <QLabel>
#include <functional>
#include <optional>

// The archive's settings file is there but cannot be read: the editor says so
// when it opens, keeps the values it shows, never writes the five keys over
// what it could not read, and still lets the user leave.
using namespace scontrix;
using Kind = platform::RecordingMessageBoxes::Kind;

namespace {

const QByteArray Settings = "[Dati Buono]\r\nValore=25,00\r\nLuogo=Bar Centrale\r\n\r\n"
                            "[Cassa]\r\nStampante=Epson\r\n";

class EditorOnUnreadableSettings : public test::EditorFixture,
                                   public ::testing::WithParamInterface<test::UnreadableCase> {
protected:
    QString ini() const { return folder.file(QStringLiteral("Negozio.ini")); }
    QStringList defaults() const {
        return {ed()->txtPrezzo->text(), ed()->txtSpettatore->text(), ed()->txtEvento->text(),
                ed()->txtLuogo->text(), ed()->txtScritta->text()};
    }
};

TEST_P(EditorOnUnreadableSettings, SaysSoKeepsTheValuesShownAndLeavesTheFileAlone) {
    writeArchive(3);
    writeLogo(1, Qt::red);
    if (!GetParam().make(ini(), Settings))
        GTEST_SKIP() << "this machine cannot make it here (a device node needs root)";
    const test::Seen before = test::look(ini());
    const QStringList shown = {QStringLiteral("01/03/2024"), QStringLiteral("31/03/2024"),
                               QStringLiteral("30,00"), QStringLiteral("Caffè Roma"),
                               QStringLiteral("Non cumulabile")};
    ed()->txtPrezzo->setText(shown[0]);
    ed()->txtSpettatore->setText(shown[1]);
    ed()->txtEvento->setText(shown[2]);
    ed()->txtLuogo->setText(shown[3]);
    ed()->txtScritta->setText(shown[4]);
    // What the editor does, it does as a user would, for whom permissions hold;
    // the test looks at the file with root's eyes.
    std::optional<test::PermissionsApply> asAUser;
    auto asTheUser = [&](const std::function<void()>& step) {
        asAUser.emplace();
        step();
        asAUser.reset();
    };

    asTheUser([&] { openEditor(); });
    ASSERT_EQ(desktop.messages.messages.size(), 1u)
        << desktop.messages.texts().join(u'\n').toStdString();
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Typed);
    EXPECT_EQ(desktop.messages.messages[0].type, platform::MessageType::Warning);
    EXPECT_TRUE(desktop.messages.messages[0].text.startsWith(
        QStringLiteral("Attenzione: non è stato possibile leggere i dati proposti per il prossimo "
                       "buono dal file\n") +
        ini()))
        << desktop.messages.messages[0].text.toStdString();
    EXPECT_EQ(defaults(), shown) << "the values on screen stay, none is emptied";

    // Leaving cannot keep them without losing what the file holds: the editor
    // asks, and No stays.
    desktop.messages.clear();
    desktop.messages.confirmAnswers = {false};
    asTheUser([&] { click("cmdEsci"); });
    ASSERT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(desktop.messages.messages[0].kind, Kind::Confirm);
    EXPECT_TRUE(desktop.messages.messages[0].text.endsWith(QStringLiteral("Uscire comunque?")));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{ed()});
    EXPECT_TRUE(test::look(ini()) == before);

    desktop.messages.clear();
    desktop.messages.confirmAnswers = {true};
    asTheUser([&] { click("cmdEsci"); });
    EXPECT_EQ(desktop.messages.messages.size(), 1u);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()}) << "Sì leaves the editor";
    EXPECT_TRUE(test::look(ini()) == before) << "kind, identity and bytes as they were";
}

INSTANTIATE_TEST_SUITE_P(Editor, EditorOnUnreadableSettings, ::testing::ValuesIn(test::Unreadables),
                         test::RowName());

} // namespace
