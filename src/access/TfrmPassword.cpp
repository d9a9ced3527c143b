#include "access/TfrmPassword.h"

#include "access/PasswordField.h"
#include "access/PasswordStore.h"
#include "access/TfrmCambiaPassword.h"
#include "platform/MessageBoxes.h"
#include "platform/ProgramFolder.h"
#include "storage/Text.h"
#include "ui/Accessibility.h"
#include "ui/Controls.h"
#include "ui/FieldBehaviours.h"
#include "ui/Picture.h"
#include "ui/ShapeRect.h"
#include "ui/Style.h"

#include <QCloseEvent>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace scontrix::access {

namespace {

// The words of the header, drawn over its artwork at the baselines it was
// drawn for (see ui::Picture::addWords). A line with x < 0 continues the one
// before it.
void addHeaderWords(ui::Picture* header) {
    struct Line {
        const char* text;
        qreal x;
        qreal baseline;
        int pixels;
        bool bold;
        QRgb colour;
    };
    static constexpr QRgb Title = 0xFF2F6698, Ink = 0xFF263238, Warning = 0xFFC0392B;
    static constexpr Line lines[] = {
        {"Password", 84, 40, 28, true, Title},
        {"Proteggi l'accesso all'app con una", 84, 68, 12, false, Ink},
        {"password di tua scelta.", 84, 83, 12, false, Ink},
        {"Per il primo accesso usa la", 84, 106, 12, false, Warning},
        {"password ", 84, 121, 12, false, Warning},
        {"\"lucernaviolina\"", -1, 121, 12, true, Warning},
        {"(senza le virgolette).", 84, 136, 12, false, Warning},
    };
    qreal nextX = 0;
    for (const Line& line : lines) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(line.pixels);
        font.setBold(line.bold);
        const QString text = QString::fromUtf8(line.text);
        const qreal x = line.x < 0 ? nextX : line.x;
        header->addWords({text, QPointF(x, line.baseline), font, QColor::fromRgb(line.colour)});
        nextX = x + QFontMetricsF(font).horizontalAdvance(text);
    }
}

} // namespace

TfrmPassword::TfrmPassword()
    : ui::FixedWindow(QStringLiteral(" Scontrix - Accesso"), QSize(388, 405), QSize(360, 378),
                      ui::colours::steelBlue) {
    setObjectName(QStringLiteral("frmPassword"));
    QWidget* pan = container();

    shpSfondo = new ui::ShapeRect(pan);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, 344, 265);
    shpSfondo->setFillGradient(ui::colours::steelBlue, Qt::white);
    shpSfondo->setBorder(Qt::white);

    imgLogo = new ui::Picture(pan);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(16, 16, 328, 160);
    imgLogo->setArtwork(QStringLiteral(":/artwork/login_logo.svg"));
    addHeaderWords(imgLogo);

    shpTitolo = new ui::ShapeRect(pan);
    shpTitolo->setObjectName(QStringLiteral("shpTitolo"));
    shpTitolo->setGeometry(16, 184, 328, 81);
    shpTitolo->setFillGradient(ui::colours::titleBlue, Qt::white);
    shpTitolo->setBorder(Qt::white);

    lblRigo05 = new QLabel(QStringLiteral("Immetti la password e premi OK."), pan);
    lblRigo05->setObjectName(QStringLiteral("lblRigo05"));
    ui::setDesignFont(lblRigo05, QStringLiteral("Verdana"), 11, false, Qt::black);
    lblRigo05->move(36, 200);
    lblRigo05->adjustSize();

    effPassword = new ui::ShapeRect(pan);
    effPassword->setObjectName(QStringLiteral("effPassword"));
    effPassword->setGeometry(32, 218, 238, 30);
    effPassword->setFill(ui::colours::focusYellow);
    effPassword->setBorderGradient(ui::colours::focusYellow, Qt::white, 2);

    txtPassword = makePasswordField(pan, "txtPassword", QRect(36, 222, 230, 22));
    // The focused field sits in its yellow frame.
    ui::showWhileFocused(txtPassword, effPassword);

    cmdOK = ui::makeButton(pan, "cmdOK", QStringLiteral("OK"), QRect(280, 216, 49, 33));
    cmdOK->setEnabled(false);
    cmdEsci = ui::makeButton(pan, "cmdEsci", QStringLiteral("Esci"), QRect(8, 338, 146, 32));
    btnCambiaPassword = ui::makeButton(pan, "btnCambiaPassword", QStringLiteral("Cambia password"),
                                       QRect(205, 338, 146, 32));

    ui::nameControls({{txtPassword, "Password"}});
    txtPassword->setAccessibleDescription(lblRigo05->text());

    setTabOrder(txtPassword, cmdOK);
    setTabOrder(cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::txtPasswordChange);
    connect(txtPassword, &QLineEdit::returnPressed, this, &TfrmPassword::txtPasswordKeyDown);
    connect(cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmPassword::cmdEsciClick);
    connect(btnCambiaPassword, &QPushButton::clicked, this, &TfrmPassword::btnCambiaPasswordClick);
}

void TfrmPassword::showEvent(QShowEvent* event) {
    ui::FixedWindow::showEvent(event);
    FormShow();
}

void TfrmPassword::FormShow() {
    activateWindow();
    txtPassword->setFocus();
}

void TfrmPassword::txtPasswordKeyDown() {
    // Enter confirms, as the OK button does, once something is typed.
    if (!storage::trimControl(txtPassword->text()).isEmpty())
        cmdOKClick();
}

void TfrmPassword::txtPasswordChange() {
    cmdOK->setEnabled(!storage::trimControl(txtPassword->text()).isEmpty());
}

void TfrmPassword::cmdOKClick() {
    auto& messages = platform::MessageBoxes::current();
    const PasswordStore store(platform::ProgramFolder::file(PasswordStore::FileName));
    switch (store.check(txtPassword->text())) {
    case PasswordStore::Check::Matches:
        emit loggedIn();
        return;
    case PasswordStore::Check::Unreadable:
        messages.plain(this, QStringLiteral("Attenzione: si è verificato un errore durante la "
                                            "procedura di lettura della password. "
                                            "Si consiglia di reinstallare il software."));
        return;
    case PasswordStore::Check::Differs:
        break;
    }
    messages.plain(this, QStringLiteral("Attenzione: password errata."));
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::cmdEsciClick() {
    close();
}

void TfrmPassword::closeEvent(QCloseEvent* event) {
    // The login window is the main window: closing it ends the program.
    event->accept();
    emit closed();
}

void TfrmPassword::clearPassword() {
    txtPassword->clear();
    txtPassword->setFocus();
}

void TfrmPassword::btnCambiaPasswordClick() {
    emit passwordChangeAsked();
}

} // namespace scontrix::access
