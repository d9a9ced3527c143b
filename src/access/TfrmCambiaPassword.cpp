#include "access/TfrmCambiaPassword.h"

#include "access/Crypt.h"
#include "access/PasswordField.h"
#include "access/PasswordStore.h"
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
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStringList>

namespace scontrix::access {

namespace {

const QString FailureMessage = QStringLiteral(
    "Attenzione: si è verificato un errore durante la procedura di modifica della password. "
    "Si consiglia di reinstallare il software.");

QLabel* makeCaption(QWidget* parent, const char* name, const QString& text, QPoint at) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    ui::setDesignFont(label, QStringLiteral("Verdana"), 11, false, Qt::black);
    label->move(at);
    label->adjustSize();
    return label;
}

ui::ShapeRect* makeFocusFrame(QWidget* parent, const char* name, QRect geometry) {
    auto* frame = new ui::ShapeRect(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setGeometry(geometry);
    frame->setFill(ui::colours::focusYellow);
    frame->setBorderGradient(ui::colours::focusYellow, Qt::white, 2);
    frame->hide();
    return frame;
}

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword()
    : ui::FixedWindow(QStringLiteral(" Cambia password"), QSize(411, 418), QSize(385, 390),
                      ui::colours::steelBlue) {
    setObjectName(QStringLiteral("frmCambiaPassword"));
    QWidget* pan = container();

    shpSfondo = new ui::ShapeRect(pan);
    shpSfondo->setObjectName(QStringLiteral("shpSfondo"));
    shpSfondo->setGeometry(8, 8, 369, 334);
    shpSfondo->setFillGradient(ui::colours::steelBlue, Qt::white);
    shpSfondo->setBorder(Qt::white);

    imgLogo = new ui::Picture(pan);
    imgLogo->setObjectName(QStringLiteral("imgLogo"));
    imgLogo->setGeometry(16, 16, 353, 148);
    imgLogo->setArtwork(QStringLiteral(":/artwork/change_password_logo.svg"));

    lblRigo05 = makeCaption(pan, "lblRigo05", QStringLiteral("Vecchia password:"), {16, 172});
    effPasswordOld = makeFocusFrame(pan, "effPasswordOld", {12, 189, 361, 30});
    txtPasswordOld = makePasswordField(pan, "txtPasswordOld", {16, 193, 353, 22});
    lblRigo06 = makeCaption(pan, "lblRigo06", QStringLiteral("Nuova password:"), {16, 228});
    effPasswordNew = makeFocusFrame(pan, "effPasswordNew", {12, 245, 361, 30});
    txtPasswordNew = makePasswordField(pan, "txtPasswordNew", {16, 249, 353, 22});
    lblRigo07 =
        makeCaption(pan, "lblRigo07", QStringLiteral("Conferma nuova password:"), {16, 284});
    effConferma = makeFocusFrame(pan, "effConferma", {12, 301, 361, 30});
    txtConferma = makePasswordField(pan, "txtConferma", {16, 305, 353, 22});

    cmdEsci = ui::makeButton(pan, "cmdEsci", QStringLiteral("Chiudi"), {8, 350, 146, 32});
    cmdOK = ui::makeButton(pan, "cmdOK", QStringLiteral("OK"), {232, 350, 146, 32});
    cmdOK->setEnabled(false);

    const std::pair<QLineEdit*, ui::ShapeRect*> framed[] = {{txtPasswordOld, effPasswordOld},
                                                            {txtPasswordNew, effPasswordNew},
                                                            {txtConferma, effConferma}};
    for (const auto& [field, frame] : framed) {
        ui::showWhileFocused(field, frame);
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::fieldChange);
    }
    // Enter walks the fields in a ring; it never starts the change by itself.
    ui::chainEnter({txtPasswordOld, txtPasswordNew, txtConferma});

    // Each field is read out by the caption above it.
    const std::pair<QLineEdit*, QLabel*> captions[] = {
        {txtPasswordOld, lblRigo05}, {txtPasswordNew, lblRigo06}, {txtConferma, lblRigo07}};
    for (const auto& [field, caption] : captions)
        ui::nameByCaption(field, caption->text());

    setTabOrder(txtPasswordOld, txtPasswordNew);
    setTabOrder(txtPasswordNew, txtConferma);
    setTabOrder(txtConferma, cmdEsci);
    setTabOrder(cmdEsci, cmdOK);

    connect(cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdEsciClick);
}

void TfrmCambiaPassword::showEvent(QShowEvent* event) {
    ui::FixedWindow::showEvent(event);
    // Only when the login window shows it: the desktop showing it again after
    // a minimise must not wipe what the user has typed.
    if (!event->spontaneous())
        FormShow();
}

void TfrmCambiaPassword::FormShow() {
    txtPasswordOld->clear();
    txtPasswordNew->clear();
    txtConferma->clear();
    activateWindow();
    txtPasswordOld->setFocus();
}

void TfrmCambiaPassword::fieldChange() {
    bool allFilled = true;
    for (const QLineEdit* field : {txtPasswordOld, txtPasswordNew, txtConferma})
        allFilled = allFilled && !storage::trimControl(field->text()).isEmpty();
    cmdOK->setEnabled(allFilled);
}

void TfrmCambiaPassword::refuseNewPassword(const QString& message) {
    platform::MessageBoxes::current().plain(this, message);
    txtPasswordNew->clear();
    txtConferma->clear();
    txtPasswordNew->setFocus();
}

void TfrmCambiaPassword::cmdOKClick() {
    auto& messages = platform::MessageBoxes::current();
    const PasswordStore store(platform::ProgramFolder::file(PasswordStore::FileName));

    switch (store.check(txtPasswordOld->text())) {
    case PasswordStore::Check::Unreadable:
        messages.plain(this, FailureMessage);
        return;
    case PasswordStore::Check::Differs:
        messages.plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        txtPasswordOld->clear();
        txtPasswordOld->setFocus();
        return;
    case PasswordStore::Check::Matches:
        break;
    }

    if (storage::trimControl(txtPasswordNew->text()) != storage::trimControl(txtConferma->text())) {
        refuseNewPassword(
            QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                           "E' necessario reinserire entrambi i valori."));
        return;
    }

    // The scrambled form keeps one byte per character and counts characters in
    // a byte: anything beyond that would be stored as a different password,
    // one the login window would never accept.
    const QString normalised = Crypt::Normalise(txtPasswordNew->text());
    if (normalised.size() > Crypt::MaxPasswordLength) {
        refuseNewPassword(QStringLiteral("Attenzione: la nuova password è troppo lunga. Può "
                                         "contenere al massimo 255 caratteri."));
        return;
    }
    if (!Crypt::IsStorable(normalised)) {
        refuseNewPassword(unstorableMessage(normalised));
        return;
    }

    if (!store.writePassword(normalised)) {
        messages.plain(this, FailureMessage);
        return;
    }

    messages.plain(this, QStringLiteral("Modifica della password completata con successo."));
    close();
}

QString TfrmCambiaPassword::unstorableMessage(const QString& password) {
    QStringList refused;
    for (const char32_t c : password.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        if (!Crypt::IsStorable(character) && !refused.contains(character))
            refused << character;
    }
    return QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi: ") +
           refused.join(u' ') +
           QStringLiteral(
               ". Sono ammessi solo i caratteri dell'insieme Latin-1 (ISO 8859-1): lettere "
               "senza accento, cifre, spazi, segni di punteggiatura, lettere accentate "
               "dell'Europa occidentale come à, è, é, ì, ò, ù, ç, ñ, ü e simboli come £, § e °; "
               "non lo sono, per esempio, il simbolo dell'euro € e lettere come ł e ő.");
}

void TfrmCambiaPassword::cmdEsciClick() {
    close();
}

void TfrmCambiaPassword::closeEvent(QCloseEvent* event) {
    event->accept();
    emit closed();
}

} // namespace scontrix::access
