// The real staged program on a real desktop: an X server with the openbox
// window manager, read and driven as assistive technology does, over the
// accessibility bus. Skipped, with the reason, where a part is missing.

#include "AccessibleNode.h"
#include "DesktopSession.h"
#include "storage/VoucherRecord.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace scontrix::test;

namespace {

const QString Login = QStringLiteral(" Scontrix - Accesso");
const QString ChangePassword = QStringLiteral(" Cambia password");
const QString Start = QStringLiteral(" Scontrix");
const QString Selection = QStringLiteral(" Scontrix - Emissione Buoni");
const QString Guide = QStringLiteral(" Guida all'utilizzo del software");

class Desktop : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        session_ = new DesktopSession({1366, 768});
        if (!session_->missing().isEmpty())
            return;
        // This process reads the program through the same buses.
        const QProcessEnvironment env = session_->environment();
        for (const char* name : {"DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "XDG_RUNTIME_DIR"})
            qputenv(name, env.value(QString::fromLatin1(name)).toLocal8Bit());
        if (!AccessibleNode::connectToBus())
            busFailure_ = true;
    }
    static void TearDownTestSuite() {
        delete session_;
        session_ = nullptr;
    }

    void SetUp() override {
        if (!session_->missing().isEmpty())
            GTEST_SKIP() << "no desktop to run the program on: "
                         << session_->missing().toStdString();
        if (busFailure_)
            GTEST_SKIP() << "this process cannot reach the accessibility bus";
        ASSERT_TRUE(session_->startProgram()) << session_->missing().toStdString();
        ASSERT_TRUE(waitUntil(
            [this] {
                app_ = AccessibleNode::application(session_->programId());
                return app_ && app_.window(Login);
            },
            30000))
            << "the program never showed its login window on the accessibility bus";
    }
    void TearDown() override {
        if (session_ && session_->missing().isEmpty())
            session_->stopProgram();
    }

    AccessibleNode waitForWindow(const QString& caption) {
        AccessibleNode found;
        waitUntil([&] { return bool(found = app_.window(caption)); });
        return found;
    }

    bool press(const AccessibleNode& node) {
        const QStringList actions = node.actions();
        EXPECT_FALSE(actions.isEmpty()) << node.name().toStdString() << " has no action";
        return !actions.isEmpty() && node.doAction(actions.first());
    }

    void logIn() {
        const AccessibleNode login = app_.window(Login);
        const AccessibleNode field = login.find(
            [](const AccessibleNode& n) { return n.name() == QStringLiteral("Password"); });
        ASSERT_TRUE(field) << "no field named Password";
        ASSERT_TRUE(field.setText(QStringLiteral("lucernaviolina")));
        AccessibleNode ok;
        ASSERT_TRUE(waitUntil([&] {
            ok = login.button(QStringLiteral("OK"));
            return ok && ok.actions().size() > 0;
        }));
        ASSERT_TRUE(press(ok));
        ASSERT_TRUE(waitForWindow(Start)) << "the start screen never came";
    }

    // The X window of the program's shown window with `caption`.
    QString xWindow(const QString& caption) {
        QString id;
        waitUntil([&] {
            const QStringList all =
                session_
                    ->run(QStringLiteral("xdotool"),
                          {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                           QStringLiteral("--pid"), QString::number(session_->programId()),
                           QStringLiteral("--name"), QStringLiteral(".")})
                    .split(u'\n', Qt::SkipEmptyParts);
            for (const QString& w : all) {
                if (property(w, "WM_NAME").section(u'=', 1).trimmed() == u'"' + caption + u'"') {
                    id = w;
                    return true;
                }
            }
            return false;
        });
        return id;
    }
    // A click of the left button at the middle of `node`, through the X server.
    void clickOn(const AccessibleNode& node) {
        const QRect r = node.extents();
        ASSERT_TRUE(r.isValid()) << node.name().toStdString() << " has no place on the screen";
        xdotool({QStringLiteral("mousemove"), QString::number(r.center().x()),
                 QString::number(r.center().y()), QStringLiteral("click"), QStringLiteral("1")});
    }
    void xdotool(const QStringList& arguments) {
        session_->run(QStringLiteral("xdotool"), arguments);
    }
    // The window of the program that shows `text` somewhere in it.
    AccessibleNode windowShowing(const QString& text) {
        AccessibleNode found;
        waitUntil([&] {
            for (const AccessibleNode& w : app_.children()) {
                if (w.isShowing() && w.find([&](const AccessibleNode& n) {
                        return n.name() == text || n.text() == text;
                    })) {
                    found = w;
                    return true;
                }
            }
            return false;
        });
        return found;
    }

    QString property(const QString& window, const char* name) {
        return session_->run(QStringLiteral("xprop"),
                             {QStringLiteral("-id"), window, QString::fromLatin1(name)});
    }

    // The title bar the design gives a fixed window: a title and nothing else.
    void expectFixedFrame(const QString& caption) {
        const QString w = xWindow(caption);
        ASSERT_FALSE(w.isEmpty()) << caption.toStdString();
        // Motif hints: functions given (flag 1), none of minimise 8, maximise 16, close 32.
        const QString motif = property(w, "_MOTIF_WM_HINTS");
        const QStringList fields = motif.section(u'=', 1).split(u',', Qt::SkipEmptyParts);
        ASSERT_GE(fields.size(), 2) << motif.toStdString();
        bool ok = false;
        const uint flags = fields[0].trimmed().toUInt(&ok, 0);
        const uint functions = fields[1].trimmed().toUInt(&ok, 0);
        EXPECT_TRUE(flags & 1u) << caption.toStdString() << motif.toStdString();
        EXPECT_EQ(functions & (8u | 16u | 32u), 0u) << caption.toStdString() << motif.toStdString();
        // The window manager offers neither resizing nor maximising.
        const QString allowed = property(w, "_NET_WM_ALLOWED_ACTIONS");
        EXPECT_FALSE(allowed.contains(QStringLiteral("_NET_WM_ACTION_RESIZE")))
            << allowed.toStdString();
        EXPECT_FALSE(allowed.contains(QStringLiteral("_NET_WM_ACTION_MAXIMIZE")))
            << allowed.toStdString();

        // openbox draws a minimise button all the same: a fixed window
        // minimised with it comes straight back.
        session_->run(QStringLiteral("xdotool"), {QStringLiteral("windowminimize"), w});
        EXPECT_TRUE(waitUntil(
            [&] {
                const QString state = property(w, "_NET_WM_STATE");
                const QString map =
                    session_->run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), w});
                return !state.contains(QStringLiteral("_NET_WM_STATE_HIDDEN")) &&
                       map.contains(QStringLiteral("IsViewable"));
            },
            5000))
            << caption.toStdString() << " stayed minimised";
    }

    static inline DesktopSession* session_ = nullptr;
    static inline bool busFailure_ = false;
    AccessibleNode app_;
};

// The login window as a screen reader reads it: a password field named by its
// caption, three push buttons by their words; pressing one works.
TEST_F(Desktop, LoginWindowIsReadOutAndItsButtonsAnswerPress) {
    const AccessibleNode login = app_.window(Login);
    const AccessibleNode field =
        login.find([](const AccessibleNode& n) { return n.name() == QStringLiteral("Password"); });
    ASSERT_TRUE(field) << "the password field has no name";
    EXPECT_EQ(field.description(), QStringLiteral("Immetti la password e premi OK."));
    for (const char* name : {"OK", "Esci", "Cambia password"})
        EXPECT_TRUE(login.button(QString::fromUtf8(name))) << name;

    ASSERT_TRUE(press(login.button(QStringLiteral("Cambia password"))));
    const AccessibleNode change = waitForWindow(ChangePassword);
    ASSERT_TRUE(change) << "pressing Cambia password showed nothing";
    for (const char* name : {"Vecchia password", "Nuova password", "Conferma nuova password"}) {
        EXPECT_TRUE(change.find([&](const AccessibleNode& n) {
            return n.name() == QString::fromUtf8(name);
        })) << name;
    }
    ASSERT_TRUE(press(change.button(QStringLiteral("Chiudi"))));
    EXPECT_TRUE(waitForWindow(Login)) << "Chiudi did not return to the login";
}

// Every picture of the start screen that does something is a push button
// named by what it does, described by its hint, and pressing "Emissione buoni"
// opens the archive selection, as a click does.
TEST_F(Desktop, StartScreenPicturesArePushButtonsNamedByWhatTheyDo) {
    logIn();
    const AccessibleNode start = app_.window(Start);
    const struct {
        const char* name;
        const char* description;
        int count;
    } expected[] = {
        {"Informazioni", "Informazioni su Scontrix.", 1},
        {"Guida", "Guida all'utilizzo del software.", 1},
        {"Creazione archivi", "Crea un nuovo archivio di buoni acquisto.", 2},
        {"Emissione buoni", "Apre un archivio per emettere e gestire i buoni acquisto.", 2},
        {"Sito web", "Visita il sito web del produttore.", 1},
        {"Riconoscimenti", "Riconoscimenti.", 1},
        {"Esci", "Esci da Scontrix.", 1},
    };
    int total = 0;
    for (const auto& e : expected) {
        const QString name = QString::fromUtf8(e.name);
        const QList<AccessibleNode> found =
            start.findAll([&](const AccessibleNode& n) { return n.name() == name; });
        ASSERT_EQ(found.size(), e.count) << e.name;
        for (const AccessibleNode& n : found) {
            EXPECT_TRUE(n.isButton()) << e.name << " is a " << n.roleName().toStdString();
            EXPECT_EQ(n.description(), QString::fromUtf8(e.description)) << e.name;
            EXPECT_FALSE(n.actions().isEmpty()) << e.name;
        }
        total += e.count;
    }
    // No button of the start screen goes without a name.
    const QList<AccessibleNode> buttons =
        start.findAll([](const AccessibleNode& n) { return n.isButton(); });
    EXPECT_EQ(buttons.size(), total);
    for (const AccessibleNode& b : buttons)
        EXPECT_FALSE(b.name().isEmpty());

    ASSERT_TRUE(press(start.button(QStringLiteral("Emissione buoni"))));
    const AccessibleNode selection = waitForWindow(Selection);
    ASSERT_TRUE(selection) << "pressing Emissione buoni opened nothing";
    EXPECT_TRUE(selection.find([](const AccessibleNode& n) {
        return n.name() == QStringLiteral("Archivi esistenti");
    })) << "the list of archives has no name";
    for (const char* name : {"Elimina archivio", "Guida", "Annulla", "Apri archivio"})
        EXPECT_TRUE(selection.button(QString::fromUtf8(name))) << name;
    ASSERT_TRUE(press(selection.button(QStringLiteral("Annulla"))));
    EXPECT_TRUE(waitForWindow(Start)) << "Annulla did not return to the start screen";
}

// Under a real window manager the login, change-password and guide windows
// keep a fixed frame and cannot be minimised away; the start screen opens
// maximized.
TEST_F(Desktop, FixedWindowsKeepTheirFrameUnderAWindowManager) {
    expectFixedFrame(Login);
    ASSERT_TRUE(press(app_.window(Login).button(QStringLiteral("Cambia password"))));
    ASSERT_TRUE(waitForWindow(ChangePassword));
    expectFixedFrame(ChangePassword);
    ASSERT_TRUE(press(app_.window(ChangePassword).button(QStringLiteral("Chiudi"))));
    ASSERT_TRUE(waitForWindow(Login));

    logIn();
    const QString state = property(xWindow(Start), "_NET_WM_STATE");
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_VERT")))
        << state.toStdString();
    EXPECT_TRUE(state.contains(QStringLiteral("_NET_WM_STATE_MAXIMIZED_HORZ")))
        << state.toStdString();

    ASSERT_TRUE(press(app_.window(Start).button(QStringLiteral("Guida"))));
    const AccessibleNode guide = waitForWindow(Guide);
    ASSERT_TRUE(guide) << "pressing Guida opened nothing";
    expectFixedFrame(Guide);
    ASSERT_TRUE(press(guide.button(QStringLiteral("Chiudi"))));
    EXPECT_TRUE(waitUntil([&] { return !app_.window(Guide); }));
}

// On an Italian desktop the value typed on the keyboard keeps its decimal
// comma: "7,5" typed over the stored value (Ctrl+A first) reads "7,50" once
// the shopkeeper moves on with Tab, in the field and in the record saved.
TEST_F(Desktop, AValueTypedOnAnItalianDesktopKeepsItsComma) {
    scontrix::storage::VoucherRecord stored;
    stored.acquirente = QStringLiteral("Mario Rossi");
    stored.num = QStringLiteral("1");
    stored.prezzo = QStringLiteral("01/03/2024");
    stored.spettatore = QStringLiteral("31/03/2024");
    stored.posto = QStringLiteral("Anna Bianchi");
    stored.evento = QStringLiteral("25,00");
    stored.luogo = QStringLiteral("Bar Centrale");
    stored.scritta = QStringLiteral("Nessuna");
    const QString archive = QDir(session_->programFolder()).filePath(QStringLiteral("Negozio.eur"));
    {
        QFile file(archive);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(stored.toBytes());
    }

    logIn();
    ASSERT_TRUE(press(app_.window(Start).button(QStringLiteral("Emissione buoni"))));
    const AccessibleNode selection = waitForWindow(Selection);
    ASSERT_TRUE(selection);
    AccessibleNode entry;
    ASSERT_TRUE(waitUntil([&] {
        return bool(entry = selection.find([](const AccessibleNode& n) {
            return n.name() == QStringLiteral("Negozio.eur");
        }));
    })) << "the archive is not listed";
    clickOn(entry);
    ASSERT_TRUE(press(selection.button(QStringLiteral("Apri archivio"))));
    // The editor has the selection's caption: it is the window with a Salva button.
    AccessibleNode editor;
    ASSERT_TRUE(waitUntil([&] {
        editor = app_.window(Selection);
        return editor && editor.button(QStringLiteral("Salva"));
    })) << "the editor never came";
    ASSERT_TRUE(press(editor.button(QStringLiteral("Prima scheda"))));

    AccessibleNode value;
    ASSERT_TRUE(waitUntil([&] {
        value = editor.find([](const AccessibleNode& n) {
            return n.name() == QStringLiteral("Valore in euro") && !n.isButton();
        });
        return value && value.text() == QStringLiteral("25,00");
    })) << "the stored voucher is not shown";
    clickOn(value);
    // As a tired shopkeeper does: select all, type the new amount over it.
    xdotool({QStringLiteral("key"), QStringLiteral("ctrl+a")});
    xdotool({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("50"),
             QStringLiteral("7,5")});
    ASSERT_TRUE(waitUntil([&] { return value.text() == QStringLiteral("7,5"); }))
        << value.text().toStdString();
    xdotool({QStringLiteral("key"), QStringLiteral("Tab")});
    EXPECT_TRUE(waitUntil([&] { return value.text() == QStringLiteral("7,50"); }))
        << "leaving the field wrote " << value.text().toStdString();

    ASSERT_TRUE(press(editor.button(QStringLiteral("Salva"))));
    const AccessibleNode confirmation = windowShowing(QStringLiteral(
        "Le modifiche apportate alla scheda corrente sono state salvate in archivio."));
    ASSERT_TRUE(confirmation) << "no confirmation of the save";
    ASSERT_TRUE(press(confirmation.button(QStringLiteral("OK"))));
    QFile file(archive);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray record = file.readAll();
    ASSERT_EQ(record.size(), 1055);
    EXPECT_EQ(record.mid(378, 5), QByteArray("\x04"
                                             "7,50"))
        << "the value as saved";
}

} // namespace
