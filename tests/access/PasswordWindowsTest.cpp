#include "AppFixture.h"
#include "TableRows.h"
#include "WriteFailure.h"
#include "access/Crypt.h"
#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "ui/ShapeRect.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace scontrix;
using scontrix::test::focus;

namespace {

const QString WrongPassword = QStringLiteral("Attenzione: password errata.");
const QString ReadFailure = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di lettura della password. "
    "Si consiglia di reinstallare il software.");
const QString ChangeFailure = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");
const QString WrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString NotConfirmed = QStringLiteral(
    "Attenzione: la nuova password non è stata confermata correttamente. "
    "E' necessario reinserire entrambi i valori.");
const QString Changed = QStringLiteral("Modifica della password completata con successo.");

class LoginWindow : public test::AppFixture {
protected:
    access::TfrmPassword* login() const { return windows->frmPassword(); }

    // Puts the text into the real field and presses Enter there.
    void typeAndEnter(const QString& text) {
        focus(login()->txtPassword);
        login()->txtPassword->insert(text);
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

INSTANTIATE_TEST_SUITE_P(Rows, StoreProblem, ::testing::ValuesIn(storeProblemRows), test::RowName());

TEST_F(LoginWindow, EsciEndsTheProgramWithoutAQuestion) {
    QTest::mouseClick(login()->cmdEsci, Qt::LeftButton);
    EXPECT_EQ(ends, 1);
    EXPECT_TRUE(desktop.messages.messages.empty());
}

class ChangePassword : public LoginWindow {
protected:
    access::TfrmCambiaPassword* change() const { return windows->frmCambiaPassword(); }

    void SetUp() override {
        LoginWindow::SetUp();
        QTest::mouseClick(login()->btnCambiaPassword, Qt::LeftButton);
        QApplication::processEvents();
    }

    // Types key by key where the test keyboard has the keys, otherwise as a paste would.
    static void type(QLineEdit* field, const QString& text) {
        focus(field);
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(field, text);
        else
            field->insert(text);
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
    fill(QStringLiteral(" LucernaViolina"), QStringLiteral("Bottega42"), QStringLiteral("Bottega42"));
    ASSERT_TRUE(change()->cmdOK->isEnabled());
    QTest::mouseClick(change()->cmdOK, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_TRUE(login()->txtPassword->text().isEmpty());
    EXPECT_TRUE(login()->txtPassword->hasFocus());
    EXPECT_TRUE(store().contains("Valore=" + access::Crypt::Scramble(QStringLiteral("BOTTEGA42")).toLatin1()));

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
     QString(), QStringLiteral("x"), QStringLiteral("x"), &access::TfrmCambiaPassword::txtPasswordOld},
    {"ConfirmationDiffersByCase", QStringLiteral("lucernaviolina"), QStringLiteral("Negozio"),
     QStringLiteral("negozio"), NotConfirmed, QStringLiteral("lucernaviolina"), QString(), QString(),
     &access::TfrmCambiaPassword::txtPasswordNew},
    {"TooLong", QStringLiteral("lucernaviolina"), QString(256, u'a'), QString(256, u'a'),
     QStringLiteral("Attenzione: la nuova password è troppo lunga. Può contenere al massimo 255 caratteri."),
     QStringLiteral("lucernaviolina"), QString(), QString(), &access::TfrmCambiaPassword::txtPasswordNew},
    {"CharacterBeyondLatin1", QStringLiteral("lucernaviolina"), QStringLiteral("prezzo€"),
     QStringLiteral("prezzo€"),
     QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi. Usa solo lettere, "
                    "lettere accentate, cifre e i comuni segni di punteggiatura."),
     QStringLiteral("lucernaviolina"), QString(), QString(), &access::TfrmCambiaPassword::txtPasswordNew},
};

class PasswordRefusal : public ChangePassword, public ::testing::WithParamInterface<RefusalRow> {};

TEST_P(PasswordRefusal, KeepsTheStoredPassword) {
    const RefusalRow& c = GetParam();
    const QByteArray before = store();
    fill(c.old, c.fresh, c.confirm);
    change()->cmdOKClick();
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
    change()->cmdOKClick();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    desktop.messages.clear();
    typeAndEnter(longest);
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{windows->frmAvvio()});
}

TEST_F(ChangePassword, SameAsOldIsFine) {
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("lucernaviolina"), QStringLiteral("lucernaviolina"));
    change()->cmdOKClick();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
}

TEST_F(ChangePassword, StoreThatCannotBeWrittenLeavesTheOldPasswordWorking) {
    const QByteArray before = "; installazione\r\n[Accesso]\r\nValore=5EA725367CF897B6EDDFC9FA7726\r\n";
    folder.write(QStringLiteral("unins000.dll"), before);
    fill(QStringLiteral("lucernaviolina"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    {
        test::WriteFailure diskFull;
        change()->cmdOKClick();
    }
    EXPECT_EQ(desktop.messages.texts(), QStringList{ChangeFailure});
    EXPECT_EQ(store(), before);
    EXPECT_EQ(change()->txtPasswordNew->text(), QStringLiteral("nuova"));
    EXPECT_TRUE(change()->isVisible());

    // The password in force is still the old one; a later write keeps the other lines.
    desktop.messages.clear();
    change()->cmdOKClick();
    EXPECT_EQ(desktop.messages.texts(), QStringList{Changed});
    EXPECT_TRUE(store().startsWith("; installazione\r\n[Accesso]\r\nValore="));
}

TEST_F(ChangePassword, ChiudiReturnsToAnEmptyLogin) {
    QTest::mouseClick(change()->cmdEsci, Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(visiblePersistent(), QList<QWidget*>{login()});
    EXPECT_TRUE(login()->txtPassword->text().isEmpty());
    EXPECT_TRUE(login()->lblMemory->text().isEmpty());
    EXPECT_TRUE(login()->txtPassword->hasFocus());
}

} // namespace
