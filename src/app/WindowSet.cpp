#include "app/WindowSet.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmBiglietti.h"
#include "ui/Windows.h"

#include <QCoreApplication>

namespace scontrix::app {

template <typename W> W* WindowSet::get(W*& slot) {
    if (!slot) {
        auto window = std::make_unique<W>(*this);
        slot = window.get();
        windows_.push_back(std::move(window));
    }
    return slot;
}

access::TfrmPassword* WindowSet::frmPassword() { return get(frmPassword_); }
TfrmAvvio* WindowSet::frmAvvio() { return get(frmAvvio_); }
catalogue::TfrmApriArchivio* WindowSet::frmApriArchivio() { return get(frmApriArchivio_); }
editor::TfrmBiglietti* WindowSet::frmBiglietti() { return get(frmBiglietti_); }
access::TfrmCambiaPassword* WindowSet::frmCambiaPassword() { return get(frmCambiaPassword_); }
catalogue::TfrmCreaArchivio* WindowSet::frmCreaArchivio() { return get(frmCreaArchivio_); }

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
    return {frmPassword(),       frmAvvio(),         frmApriArchivio(), frmBiglietti(),
            frmCambiaPassword(), frmCreaArchivio()};
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
