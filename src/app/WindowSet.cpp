#include "app/WindowSet.h"

#include "access/TfrmCambiaPassword.h"
#include "access/TfrmPassword.h"
#include "app/TfrmAvvio.h"
#include "app/TfrmGuida.h"
#include "app/TfrmInfo.h"
#include "app/TfrmSplash.h"
#include "catalogue/TfrmApriArchivio.h"
#include "catalogue/TfrmCreaArchivio.h"
#include "editor/TfrmBiglietti.h"
#include "editor/TfrmCalendario.h"
#include "export/TfrmExpBiglietti.h"
#include "lists/TfrmRiepDaPagare.h"
#include "lists/TfrmTrovaBiglietti.h"
#include "printing/TfrmAnteprimaBiglietto.h"
#include "printing/TfrmStampaBiglietto.h"
#include "ui/Windows.h"

#include <QCoreApplication>
#include <QDialog>

namespace scontrix::app {

template <typename W> W* WindowSet::create() {
    std::unique_ptr<W> window;
    if constexpr (std::is_base_of_v<QDialog, W>)
        window = std::make_unique<W>(nullptr); // never shown: each use makes its own
    else
        window = std::make_unique<W>(*this);
    W* raw = window.get();
    windows_.push_back(std::move(window));
    return raw;
}

WindowSet::WindowSet() : endHandler_([] { QCoreApplication::quit(); }) {
    // The order of creation is the order of the program's window table.
    frmPassword_ = create<access::TfrmPassword>();
    frmAvvio_ = create<TfrmAvvio>();
    create<printing::TfrmAnteprimaBiglietto>();
    frmApriArchivio_ = create<catalogue::TfrmApriArchivio>();
    frmBiglietti_ = create<editor::TfrmBiglietti>();
    frmCambiaPassword_ = create<access::TfrmCambiaPassword>();
    frmCreaArchivio_ = create<catalogue::TfrmCreaArchivio>();
    create<exporting::TfrmExpBiglietti>();
    create<TfrmGuida>();
    create<TfrmInfo>();
    create<lists::TfrmRiepDaPagare>();
    create<TfrmSplash>();
    create<printing::TfrmStampaBiglietto>();
    create<lists::TfrmTrovaBiglietti>();
    create<editor::TfrmCalendario>();
}

WindowSet::~WindowSet() {
    // Dialog instances first, the main window last.
    while (!windows_.empty())
        windows_.pop_back();
}

void WindowSet::start() {
    frmPassword_->show();
}

QList<QWidget*> WindowSet::all() const {
    QList<QWidget*> list;
    for (const auto& w : windows_)
        list << w.get();
    return list;
}

QList<QWidget*> WindowSet::persistent() const {
    return {frmPassword_, frmAvvio_, frmApriArchivio_, frmBiglietti_, frmCambiaPassword_,
            frmCreaArchivio_};
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
