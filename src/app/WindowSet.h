#pragma once

#include <QList>
#include <functional>
#include <memory>
#include <vector>

class QWidget;

namespace scontrix::access {
class TfrmPassword;
class TfrmCambiaPassword;
} // namespace scontrix::access
namespace scontrix::catalogue {
class TfrmApriArchivio;
class TfrmCreaArchivio;
} // namespace scontrix::catalogue
namespace scontrix::editor {
class TfrmBiglietti;
}

namespace scontrix::app {

class TfrmAvvio;

// Every window of the program, created once at start-up in a fixed order. The
// six persistent windows replace one another through handOver(), so exactly
// one of them is visible; the others are reached through this object.
class WindowSet {
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // Shows the login window, the main window and the only one visible at start.
    void start();

    access::TfrmPassword* frmPassword() const { return frmPassword_; }
    TfrmAvvio* frmAvvio() const { return frmAvvio_; }
    catalogue::TfrmApriArchivio* frmApriArchivio() const { return frmApriArchivio_; }
    editor::TfrmBiglietti* frmBiglietti() const { return frmBiglietti_; }
    access::TfrmCambiaPassword* frmCambiaPassword() const { return frmCambiaPassword_; }
    catalogue::TfrmCreaArchivio* frmCreaArchivio() const { return frmCreaArchivio_; }

    // All fifteen windows in the order they were created.
    QList<QWidget*> all() const;
    // The six windows that replace one another.
    QList<QWidget*> persistent() const;

    // Shows `to` first, then hides `from`, so the program never has no window.
    void handOver(QWidget* from, QWidget* to);

    // Ends the program: the event loop stops and the windows are destroyed
    // without their close handlers running.
    void endApplication();
    bool hasEnded() const { return ended_; }
    // Tests replace the stop of the event loop to watch it happen.
    void setEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }

private:
    template <typename W> W* create();

    std::vector<std::unique_ptr<QWidget>> windows_;
    access::TfrmPassword* frmPassword_ = nullptr;
    TfrmAvvio* frmAvvio_ = nullptr;
    catalogue::TfrmApriArchivio* frmApriArchivio_ = nullptr;
    editor::TfrmBiglietti* frmBiglietti_ = nullptr;
    access::TfrmCambiaPassword* frmCambiaPassword_ = nullptr;
    catalogue::TfrmCreaArchivio* frmCreaArchivio_ = nullptr;
    std::function<void()> endHandler_;
    bool ended_ = false;
};

// Opens a dialog window as the program does: a new instance owned by `owner`,
// run modally and destroyed as soon as its run ends. Returns the dialog's result.
template <typename Dialog, typename... Args> int openDialog(QWidget* owner, Args&&... args) {
    Dialog dialog(owner, std::forward<Args>(args)...);
    return dialog.exec();
}

} // namespace scontrix::app
