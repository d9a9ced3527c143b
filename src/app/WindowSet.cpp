#include "app/WindowSet.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmBiglietti.h"
#include "ui/Windows.h"

#include <QCoreApplication>
#include <type_traits>

namespace scontrix::app {

template <typename W> W* WindowSet::get(W*& slot) {
    if (!slot) {
        std::unique_ptr<W> window;
        if constexpr (std::is_constructible_v<W, WindowSet&>)
            window = std::make_unique<W>(*this);
        else
            window = std::make_unique<W>();
        slot = window.get();
        windows_.push_back(std::move(window));
        connectFlow(slot);
    }
    return slot;
}

// Where each window leads. The windows only say what happened; which window
// comes next is decided here, and the state a window hands on travels in the
// signal.
void WindowSet::connectFlow(access::TfrmPassword* login) {
    QObject::connect(login, &access::TfrmPassword::loggedIn, login,
                     [this, login] { handOver(login, frmAvvio()); });
    QObject::connect(login, &access::TfrmPassword::passwordChangeAsked, login,
                     [this, login] { handOver(login, frmCambiaPassword()); });
    QObject::connect(login, &access::TfrmPassword::closed, login, [this] { endApplication(); });
}

void WindowSet::connectFlow(access::TfrmCambiaPassword* change) {
    QObject::connect(change, &access::TfrmCambiaPassword::closed, change, [this, change] {
        access::TfrmPassword* login = frmPassword();
        login->clearPassword();
        handOver(change, login);
    });
}

void WindowSet::connectFlow(TfrmAvvio*) {}

void WindowSet::connectFlow(catalogue::TfrmCreaArchivio* creation) {
    QObject::connect(creation, &catalogue::TfrmCreaArchivio::closed, creation,
                     [this, creation] { handOver(creation, frmAvvio()); });
}

void WindowSet::connectFlow(catalogue::TfrmApriArchivio* selection) {
    QObject::connect(
        selection, &catalogue::TfrmApriArchivio::archiveChosen, selection,
        [this, selection](const voucher::OpenArchive& archive) { openEditor(selection, archive); });
    QObject::connect(selection, &catalogue::TfrmApriArchivio::closedToStart, selection,
                     [this, selection] { handOver(selection, frmAvvio()); });
}

void WindowSet::connectFlow(editor::TfrmBiglietti* editor) {
    QObject::connect(editor, &editor::TfrmBiglietti::closed, editor,
                     [this, editor] { handOver(editor, frmAvvio()); });
}

void WindowSet::openEditor(QWidget* from, const voucher::OpenArchive& archive) {
    editor::TfrmBiglietti* editor = frmBiglietti();
    editor->openArchive(archive);
    handOver(from, editor);
}

access::TfrmPassword* WindowSet::frmPassword() {
    return get(frmPassword_);
}
TfrmAvvio* WindowSet::frmAvvio() {
    return get(frmAvvio_);
}
catalogue::TfrmApriArchivio* WindowSet::frmApriArchivio() {
    return get(frmApriArchivio_);
}
editor::TfrmBiglietti* WindowSet::frmBiglietti() {
    return get(frmBiglietti_);
}
access::TfrmCambiaPassword* WindowSet::frmCambiaPassword() {
    return get(frmCambiaPassword_);
}
catalogue::TfrmCreaArchivio* WindowSet::frmCreaArchivio() {
    return get(frmCreaArchivio_);
}

WindowSet::WindowSet() : endHandler_([] { QCoreApplication::quit(); }) {
    // The first window built is the program's main window.
    frmPassword();
}

WindowSet::~WindowSet() {
    // The main window last.
    while (!windows_.empty())
        windows_.pop_back();
}

void WindowSet::start() {
    frmPassword_->show();
}

QList<QWidget*> WindowSet::persistent() {
    return {frmPassword(),  frmAvvio(),          frmApriArchivio(),
            frmBiglietti(), frmCambiaPassword(), frmCreaArchivio()};
}

void WindowSet::handOver(QWidget* from, QWidget* to) {
    if (qobject_cast<ui::FullScreenWindow*>(to))
        to->showMaximized();
    else
        to->show();
    to->raise();
    to->activateWindow();
    if (from && from != to)
        from->hide();
}

void WindowSet::endApplication() {
    ended_ = true;
    if (endHandler_)
        endHandler_();
}

} // namespace scontrix::app
