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
namespace scontrix::voucher {
struct OpenArchive;
}

namespace scontrix::app {

class TfrmAvvio;

// The program's six persistent windows. They replace one another through
// handOver(), so exactly one of them is visible; each is reached through this
// object, which builds it the first time it is asked for and keeps it for the
// rest of the run. Only the login window is built before the first paint, so
// the program shows itself as soon as a bare Qt window would; the editor alone
// takes longer to build than the login window. Dialogs are never kept here:
// each use makes its own (openDialog).
class WindowSet {
public:
    WindowSet();
    ~WindowSet();
    WindowSet(const WindowSet&) = delete;
    WindowSet& operator=(const WindowSet&) = delete;

    // Shows the login window, the main window and the only one visible at start.
    void start();

    access::TfrmPassword* frmPassword();
    TfrmAvvio* frmAvvio();
    catalogue::TfrmApriArchivio* frmApriArchivio();
    editor::TfrmBiglietti* frmBiglietti();
    access::TfrmCambiaPassword* frmCambiaPassword();
    catalogue::TfrmCreaArchivio* frmCreaArchivio();

    // The six windows that replace one another, each built if it was not yet.
    QList<QWidget*> persistent();

    // Shows `to` first, then hides `from`, so the program never has no window.
    void handOver(QWidget* from, QWidget* to);
    // Opens the editor on `archive` and hands over to it, as choosing an
    // archive in the selection window does.
    void openEditor(QWidget* from, const voucher::OpenArchive& archive);

    // Ends the program: the event loop stops and the windows are destroyed
    // without their close handlers running.
    void endApplication();
    bool hasEnded() const { return ended_; }
    // Tests replace the stop of the event loop to watch it happen.
    void setEndHandler(std::function<void()> handler) { endHandler_ = std::move(handler); }

private:
    template <typename W> W* get(W*& slot);
    void connectFlow(access::TfrmPassword* login);
    void connectFlow(access::TfrmCambiaPassword* change);
    void connectFlow(TfrmAvvio* start);
    void connectFlow(catalogue::TfrmCreaArchivio* creation);
    void connectFlow(catalogue::TfrmApriArchivio* selection);
    void connectFlow(editor::TfrmBiglietti* editor);

    // In the order they were built; they are destroyed in the reverse order.
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

} // namespace scontrix::app
