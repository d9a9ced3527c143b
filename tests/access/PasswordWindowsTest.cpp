#include "AppFixture.h"
#include "PermissionsApply.h"
#include "SmallDisk.h"
#include "TableRows.h"
#include "Typing.h"
#include "UnreadableFiles.h"
#include "WriteFailure.h"
#include "access/Crypt.h"
#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/qtestspontaneevent.h>
#include <functional>

using namespace scontrix;
using scontrix::test::focus;

namespace {

// The labels of every window, and the fields of the login window, that show
// `text`: where a check that kept the stored password in a control would
// leave it. The change window's own fields hold what the user typed there.
QStringList controlsHolding(const QString& text) {
    QStringList found;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        for (const QLabel* label : window->findChildren<QLabel*>()) {
            if (label->text().contains(text))
                found << window->objectName() + u'.' + label->objectName();
        }
        if (window->objectName() != u"frmPassword")
            continue;
        for (const QLineEdit* field : window->findChildren<QLineEdit*>()) {
            if (field->text().contains(text))
                found << window->objectName() + u'.' + field->objectName();
        }
    }
    return found;
}

const QString WrongPassword = QStringLiteral("Attenzione: password errata.");
const QString ReadFailure = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString ChangeFailure = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString WrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                   "E' necessario reinserire entrambi i valori.");
const QString Changed = QStringLiteral("Modifica della password completata con successo.");

// The refusal of a new password the store cannot keep, naming what it refuses
// and saying exactly what it takes.
QString unstorable(const QString& refused) {
    return QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi: ") +
           refused +
           QStringLiteral(
               ". Sono ammessi solo i caratteri dell'insieme Latin-1 (ISO 8859-1): lettere "
               "senza accento, cifre, spazi, segni di punteggiatura, lettere accentate "
               "dell'Europa occidentale come à, è, é, ì, ò, ù, ç, ñ, ü e simboli come £, § e °; "
               "non lo sono, per esempio, il simbolo dell'euro € e lettere come ł e ő.");
}

class LoginWindow : public test::AppFixture {
protected:
    access::TfrmPassword* login() const { return windows->frmPassword(); }

    // Puts the text into the real field and presses Enter there.
    void typeAndEnter(const QString& text) {
        focus(login()->txtPassword);
        test::typeText(login()->txtPassword, text);
        QTest::keyClick(login()->txtPassword, Qt::Key_Return);
        QApplication::processEvents();
    }
};

TEST_F(LoginWindow, StartsAloneWithTheButtonDisabled) {
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_EQ(login()->windowTitle(), QStringLiteral(" Scontrix - Accesso"));
    EXPECT_FALSE(login()->cmdOK->isEnabled());
    EXPECT_EQ(login()->size(), QSize(388, 405));
}

TEST_F(LoginWindow, ButtonFollowsEveryKeystrokeAndBlanksNeverCount) {
    focus(login()->txtPassword);
    QTest::keyClicks(login()->txtPassword, QStringLiteral("   "));
    EXPECT_FALSE(login()->cmdOK->isEnabled());
    QTest::keyClick(login()->txtPassword, Qt::Key_Return);
    EXPECT_TRUE(desktop.messages.messages.empty()) << "Enter on blanks does nothing";
    QTest::keyClick(login()->txtPassword, Qt::Key_X);
    EXPECT_TRUE(login()->cmdOK->isEnabled());
    QTest::keyClick(login()->txtPassword, Qt::Key_Backspace);
    EXPECT_FALSE(login()->cmdOK->isEnabled());
}

struct FirstAccessRow {
    const char* name; // of the row
    QString typed;
};
const FirstAccessRow firstAccessRows[] = {
    {"AsGiven", QStringLiteral("lucernaviolina")},
    {"Capitals", QStringLiteral("LUCERNAVIOLINA")},
    {"MixedCaseWithBlanks", QStringLiteral("  LucernaViolina  ")},
};

class FirstAccess : public LoginWindow, public ::testing::WithParamInterface<FirstAccessRow> {};

TEST_P(FirstAccess, PasswordIgnoresCaseAndBlanks) {
    const QString& typed = GetParam().typed;
    typeAndEnter(typed);
    EXPECT_TRUE(desktop.messages.messages.empty()) << typed.toStdString();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()}) << typed.toStdString();
    EXPECT_EQ(login()->txtPassword->text(), typed) << "the field keeps its text";
}

INSTANTIATE_TEST_SUITE_P(Rows, FirstAccess, ::testing::ValuesIn(firstAccessRows), test::RowName());

TEST_F(LoginWindow, WrongPasswordEmptiesTheFieldAndKeepsTheFocus) {
    typeAndEnter(QStringLiteral("lucernaviolina2"));
    ASSERT_EQ(desktop.messages.texts(), QStringList{WrongPassword});
    EXPECT_EQ(desktop.messages.messages[0].kind, platform::RecordingMessageBoxes::Kind::Plain);
    EXPECT_TRUE(login()->txtPassword->text().isEmpty());
    EXPECT_FALSE(login()->cmdOK->isEnabled());
    EXPECT_TRUE(login()->txtPassword->hasFocus());
    EXPECT_TRUE(login()->effPassword->isVisible()) << "the focused field sits in its yellow frame";
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
}

struct StoreProblemRow {
    const char* name;
    QByteArray store; // empty: no file at all
    QString message;
    bool fieldKept;
};
const StoreProblemRow storeProblemRows[] = {
    {"MissingStore", {}, WrongPassword, false},
    {"NoSection", "[Altro]\r\nValore=5EA725367CF897B6EDDFC9FA7726\r\n", WrongPassword, false},
    {"NoKey", "[Accesso]\r\nAltro=5EA7\r\n", WrongPassword, false},
    {"DamagedValue", "[Accesso]\r\nValore=5EA7G5\r\n", ReadFailure, true},
};

class StoreProblem : public LoginWindow, public ::testing::WithParamInterface<StoreProblemRow> {};

TEST_P(StoreProblem, IsReportedAndTheLoginStays) {
    const StoreProblemRow& c = GetParam();
    QFile::remove(folder.file(QStringLiteral("unins000.dll")));
    if (!c.store.isEmpty())
        folder.write(QStringLiteral("unins000.dll"), c.store);
    typeAndEnter(QStringLiteral("lucernaviolina"));
    EXPECT_EQ(desktop.messages.texts(), QStringList{c.message}) << c.name;
    EXPECT_EQ(login()->txtPassword->text().isEmpty(), !c.fieldKept) << c.name;
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()}) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, StoreProblem, ::testing::ValuesIn(storeProblemRows),
                         test::RowName());

// A store that is there but cannot be read is no missing store: the login says
// it could not read the password (not that the password is wrong) and leaves
// the thing as it is.
class UnreadableStoreAtLogin : public LoginWindow,
                               public ::testing::WithParamInterface<test::UnreadableCase> {};

TEST_P(UnreadableStoreAtLogin, SaysTheStoreCannotBeReadAndLeavesIt) {
    const QString store = folder.file(QStringLiteral("unins000.dll"));
    const QByteArray shipped = folder.read(QStringLiteral("unins000.dll"));
    ASSERT_TRUE(QFile::remove(store));
    if (!GetParam().make(store, shipped))
        GTEST_SKIP() << "this machine cannot make it here (a device node needs root)";
    const test::Seen before = test::look(store);
    {
        const test::PermissionsApply asAUser;
        typeAndEnter(QStringLiteral("lucernaviolina"));
    }
    EXPECT_EQ(desktop.messages.texts(), QStringList{ReadFailure});
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_TRUE(test::look(store) == before);
}

INSTANTIATE_TEST_SUITE_P(Rows, UnreadableStoreAtLogin, ::testing::ValuesIn(test::Unreadables),
                         test::RowName());

TEST_F(LoginWindow, AStoreValueWithBlanksAroundItIsRead) {
    // As a hand edit of the file leaves it.
    folder.write(QStringLiteral("unins000.dll"),
                 "[Accesso]\r\nValore = 5EA725367CF897B6EDDFC9FA7726 \t\r\n");
    typeAndEnter(QStringLiteral("lucernaviolina"));
    EXPECT_TRUE(desktop.messages.messages.empty())
        << desktop.messages.texts().join(u'|').toStdString();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(LoginWindow, ControlsSitWhereTheDesignPutsThem) {
    EXPECT_EQ(login()->lblRigo05->pos(), QPoint(36, 200));
    EXPECT_EQ(login()->txtPassword->geometry(), QRect(36, 222, 230, 22));
}

// The header's words are drawn over its artwork: the red first-access lines
// are there in the picture, and a screen reader meets them only through the
// picture's description, so the field is the one thing called "Password".
TEST_F(LoginWindow, HeaderDrawsItsWordsAsPartOfThePicture) {
    const QImage header = login()->imgLogo->grab().toImage();
    int red = 0;
    for (int y = 95; y < 140; ++y) {
        for (int x = 84; x < 300; ++x) {
            const QColor c = header.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 110 && c.blue() < 110;
        }
    }
    EXPECT_GT(red, 200) << "the first-access lines in red";

    int namedPassword = 0;
    const std::function<void(QAccessibleInterface*)> walk = [&](QAccessibleInterface* node) {
        namedPassword += node->text(QAccessible::Name) == QStringLiteral("Password");
        for (int i = 0; i < node->childCount(); ++i)
            walk(node->child(i));
    };
    walk(QAccessible::queryAccessibleInterface(login()));
    EXPECT_EQ(namedPassword, 1);
}

TEST_F(LoginWindow, EsciEndsTheProgramWithoutAQuestion) {
    QTest::mouseClick(login()->cmdEsci, Qt::LeftButton);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(desktop.messages.messages.empty());
}

class ChangePassword : public LoginWindow {
protected:
    access::TfrmCambiaPassword* change() const { return windows->frmCambiaPassword(); }

    // The login as a user leaves it: a wrong password tried (the check
    // read the stored one), then something typed and not confirmed.
    void SetUp() override {
        LoginWindow::SetUp();
        typeAndEnter(QStringLiteral("sbagliata"));
        ASSERT_EQ(desktop.messages.texts(), QStringList{WrongPassword});
        desktop.messages.clear();
        test::typeText(login()->txtPassword, QStringLiteral("a met\u00E0"));
        ASSERT_FALSE(login()->txtPassword->text().isEmpty());
        EXPECT_EQ(controlsHolding(QStringLiteral("lucernaviolina")), QStringList{})
            << "the stored password is never kept on screen, hidden or not";
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QApplication::processEvents();
    }

    static void type(QLineEdit* field, const QString& text) {
        focus(field);
        test::typeText(field, text);
    }

    void clickOK() {
        QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
        QApplication::processEvents();
    }

    void fill(const QString& old, const QString& fresh, const QString& confirm) {
        type(change()->txtPasswordOld, old);
        type(change()->txtPasswordNew, fresh);
        type(change()->txtConferma, confirm);
    }

    QByteArray store() const { return folder.read(QStringLiteral("unins000.dll")); }
};

TEST_F(ChangePassword, OpensEmptyInPlaceOfTheLogin) {
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{change()});
    EXPECT_TRUE(change()->txtPasswordOld->hasFocus());
    EXPECT_FALSE(change()->cmdOK->isEnabled());
    EXPECT_EQ(change()->size(), QSize(411, 418));
}

TEST_F(ChangePassword, EnterWalksTheFieldsInARingAndNeverChanges) {
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::keyClick(change()->txtConferma, Qt::Key_Return);
    EXPECT_TRUE(change()->txtPasswordOld->hasFocus());
    EXPECT_TRUE(change()->effPasswordOld->isVisible());
    EXPECT_FALSE(change()->effConferma->isVisible());
    QTest::keyClick(change()->txtPasswordOld, Qt::Key_Return);
    EXPECT_TRUE(change()->txtPasswordNew->hasFocus());
    QTest::keyClick(change()->txtPasswordNew, Qt::Key_Return);
    EXPECT_TRUE(change()->txtConferma->hasFocus());
    EXPECT_TRUE(desktop.messages.messages.empty());
    EXPECT_TRUE(change()->isVisible());
}

TEST_F(ChangePassword, SuccessfulChangeIsUsedByTheLoginAtOnce) {
    fill(QStringLiteral(" LucernaViolina"), QStringLiteral("Bottega42"),
         QStringLiteral("Bottega42"));
    ASSERT_TRUE(change()->cmdOK->isEnabled());
    QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_TRUE(login()->txtPassword->text().isEmpty());
    EXPECT_TRUE(login()->txtPassword->hasFocus());
    EXPECT_TRUE(store().contains("Valore=" +
                                 access::Crypt::Scramble(QStringLiteral("BOTTEGA42")).toLatin1()));

    desktop.messages.clear();
    typeAndEnter(QStringLiteral("lucernaviolina"));
    EXPECT_EQ(desktop.messages.texts(), QStringList{WrongPassword}) << "the old one is refused";
    typeAndEnter(QStringLiteral("bottega42"));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

struct RefusalRow {
    const char* name;
    QString old, fresh, confirm;
    QString message;
    QString oldLeft, newLeft, confirmLeft;
    QLineEdit* access::TfrmCambiaPassword::*focused;
};
const RefusalRow refusalRows[] = {
    {"WrongOld", QStringLiteral("sbagliata"), QStringLiteral("x"), QStringLiteral("x"), WrongOld,
     QString(), QStringLiteral("x"), QStringLiteral("x"),
     &access::TfrmCambiaPassword::txtPasswordOld},
    {"ConfirmationDiffersByCase", QStringLiteral("lucernaviolina"), QStringLiteral("Negozio"),
     QStringLiteral("negozio"), NotConfirmed, QStringLiteral("lucernaviolina"), QString(),
     QString(), &access::TfrmCambiaPassword::txtPasswordNew},
    {"TooLong", QStringLiteral("lucernaviolina"), QString(256, u'a'), QString(256, u'a'),
     QStringLiteral(
         "Attenzione: la nuova password è troppo lunga. Può contenere al massimo 255 caratteri."),
     QStringLiteral("lucernaviolina"), QString(), QString(),
     &access::TfrmCambiaPassword::txtPasswordNew},
    {"EuroSign", QStringLiteral("lucernaviolina"), QStringLiteral("prezzo€"),
     QStringLiteral("prezzo€"), unstorable(QStringLiteral("€")), QStringLiteral("lucernaviolina"),
     QString(), QString(), &access::TfrmCambiaPassword::txtPasswordNew},
    {"PolishL", QStringLiteral("lucernaviolina"), QStringLiteral("łał"), QStringLiteral("łał"),
     unstorable(QStringLiteral("ł")), QStringLiteral("lucernaviolina"), QString(), QString(),
     &access::TfrmCambiaPassword::txtPasswordNew},
    {"HungarianO", QStringLiteral("lucernaviolina"), QStringLiteral("xő€"), QStringLiteral("xő€"),
     unstorable(QStringLiteral("ő €")), QStringLiteral("lucernaviolina"), QString(), QString(),
     &access::TfrmCambiaPassword::txtPasswordNew},
};

class PasswordRefusal : public ChangePassword, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(PasswordRefusal, KeepsTheStoredPassword) {
    const RefusalRow& c = GetParam();
    const QByteArray before = store();
    fill(c.old, c.fresh, c.confirm);
    clickOK();
    EXPECT_EQ(desktop.messages.texts(), QStringList{c.message}) << c.name;
    EXPECT_EQ(change()->txtPasswordOld->text(), c.oldLeft) << c.name;
    EXPECT_EQ(change()->txtPasswordNew->text(), c.newLeft) << c.name;
    EXPECT_EQ(change()->txtConferma->text(), c.confirmLeft) << c.name;
    EXPECT_TRUE((change()->*c.focused)->hasFocus()) << c.name;
    EXPECT_FALSE(change()->cmdOK->isEnabled()) << c.name;
    EXPECT_EQ(store(), before) << c.name;
    EXPECT_TRUE(change()->isVisible()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Rows, PasswordRefusal, ::testing::ValuesIn(refusalRows), test::RowName());

TEST_F(ChangePassword, ExactlyTheLongestStorablePasswordIsAccepted) {
    const QString longest = QString(255, u'ÿ');
    fill(QStringLiteral("lucernaviolina"), longest, longest);
    clickOK();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    desktop.messages.clear();
    typeAndEnter(longest);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(ChangePassword, SameAsOldIsFine) {
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("lucernaviolina"),
         QStringLiteral("lucernaviolina"));
    clickOK();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
}

TEST_F(ChangePassword, StoreThatCannotBeWrittenLeavesTheOldPasswordWorking) {
    const QByteArray before =
        "; installazione\r\n[Accesso]\r\nValore=5EA725367CF897B6EDDFC9FA7726\r\n";
    folder.write(QStringLiteral("unins000.dll"), before);
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    {
        test::WriteFailure diskFull;
        clickOK();
    }
    EXPECT_EQ(desktop.messages.texts(), QStringList{ChangeFailure});
    EXPECT_EQ(store(), before);
    EXPECT_EQ(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
    EXPECT_TRUE(change()->isVisible());

    // The password in force is still the old one; a later write keeps the other lines.
    desktop.messages.clear();
    clickOK();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    EXPECT_TRUE(store().startsWith("; installazione\r\n[Accesso]\r\nValore="));
}

// Both ways out bring back an empty login, though the user had typed there.
struct WayOutRow {
    const char* name;
    bool changing;
};
const WayOutRow wayOutRows[] = {{"Chiudi", false}, {"SuccessfulChange", true}};

class ChangeWayOut : public ChangePassword, public ::testing::WithParamInterface<WayOutRow> {};

TEST_P(ChangeWayOut, ReturnsToAnEmptyLogin) {
    if (GetParam().changing) {
        fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
        clickOK();
        ASSERT_EQ(desktop.messages.texts(), QStringList{Changed});
    } else {
        QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
        QApplication::processEvents();
    }
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_TRUE(login()->txtPassword->text().isEmpty());
    EXPECT_EQ(controlsHolding(QStringLiteral("lucernaviolina")), QStringList{});
    EXPECT_TRUE(login()->txtPassword->hasFocus());
    EXPECT_FALSE(login()->cmdOK->isEnabled());
}

INSTANTIATE_TEST_SUITE_P(Rows, ChangeWayOut, ::testing::ValuesIn(wayOutRows), test::RowName());

TEST_F(ChangePassword, ReopeningAfterTypingShowsEmptyFields) {
    fill(QStringLiteral("vecchia"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
    QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{change()});
    EXPECT_TRUE(change()->txtPasswordOld->text().isEmpty());
    EXPECT_TRUE(change()->txtPasswordNew->text().isEmpty());
    EXPECT_TRUE(change()->txtConferma->text().isEmpty());
    EXPECT_TRUE(change()->txtPasswordOld->hasFocus());
    EXPECT_FALSE(change()->cmdOK->isEnabled());
}

TEST_F(ChangePassword, RestoringTheWindowKeepsWhatWasTyped) {
    fill(QStringLiteral("vecchia"), QStringLiteral("nuova"), QStringLiteral("conferma"));
    // The desktop hides the window on minimising and shows it again on
    // restoring; both events are its own, not the program's.
    // (notify() keeps them marked as the desktop's; sendEvent() would not.)
    QHideEvent hidden;
    QSpontaneKeyEvent::setSpontaneous(&hidden);
    QCoreApplication::instance()->notify(change(), &hidden);
    QShowEvent shown;
    QSpontaneKeyEvent::setSpontaneous(&shown);
    QCoreApplication::instance()->notify(change(), &shown);
    EXPECT_EQ(change()->txtPasswordOld->text(), QStringLiteral("vecchia"));
    EXPECT_EQ(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
    EXPECT_EQ(change()->txtConferma->text(), QStringLiteral("conferma"));
}

// The old password is checked against what the store holds; when that
// cannot be read, nothing changes.
struct StoreRow {
    const char* name;
    QByteArray store; // empty: no file at all
    QString message;
    bool oldKept;
};
const StoreRow changeStoreRows[] = {
    {"DamagedValue", "[Accesso]\r\nValore=5EA7G5\r\n", ChangeFailure, true},
    {"MissingStore", {}, WrongOld, false},
    {"ValueWithBlanks", "[Accesso]\r\nValore = 5EA725367CF897B6EDDFC9FA7726 \r\n", Changed, true},
};

class ChangeWithStore : public ChangePassword, public ::testing::WithParamInterface<StoreRow> {};

TEST_P(ChangeWithStore, ChecksTheOldPasswordAgainstIt) {
    const StoreRow& c = GetParam();
    QFile::remove(folder.file(QStringLiteral("unins000.dll")));
    if (!c.store.isEmpty())
        folder.write(QStringLiteral("unins000.dll"), c.store);
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    clickOK();
    EXPECT_EQ(desktop.messages.texts(), QStringList{c.message});
    if (c.message == Changed) {
        EXPECT_TRUE(store().contains(access::Crypt::Scramble(QStringLiteral("NUOVA")).toLatin1()));
        return;
    }
    EXPECT_EQ(store(), c.store) << "the store is as it was, or still missing";
    EXPECT_EQ(change()->txtPasswordOld->text().isEmpty(), !c.oldKept);
    EXPECT_EQ(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
    EXPECT_TRUE(change()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Rows, ChangeWithStore, ::testing::ValuesIn(changeStoreRows),
                         test::RowName());

TEST_F(ChangePassword, LabelsSitWhereTheDesignPutsThem) {
    EXPECT_EQ(change()->lblRigo05->pos(), QPoint(16, 172));
    EXPECT_EQ(change()->lblRigo06->pos(), QPoint(16, 228));
    EXPECT_EQ(change()->lblRigo07->pos(), QPoint(16, 284));
}

// The password store on a disk that is full or read-only, for real: the
// change is refused with its message and the password in force stays.
class ChangePasswordOnATroubledDisk : public ChangePassword,
                                      public ::testing::WithParamInterface<test::DiskTroubleCase> {
};

TEST_P(ChangePasswordOnATroubledDisk, RefusesAndKeepsTheOldPassword) {
    const QByteArray shipped = store();
    test::SmallDisk disk(folder.path());
    if (!disk.mounted())
        GTEST_SKIP() << disk.whyNot();
    folder.write(QStringLiteral("unins000.dll"), shipped);
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    ASSERT_TRUE(disk.bringOn(GetParam().trouble));

    QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.messages.texts(), QStringList{ChangeFailure});
    EXPECT_EQ(store(), shipped);
    EXPECT_TRUE(change()->isVisible());

    // The old password still opens the program.
    QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
    QApplication::processEvents();
    desktop.messages.clear();
    typeAndEnter(QStringLiteral("lucernaviolina"));
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

INSTANTIATE_TEST_SUITE_P(Access, ChangePasswordOnATroubledDisk,
                         ::testing::ValuesIn(test::DiskTroubles), test::RowName());

} // namespace
