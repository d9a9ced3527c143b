#pragma once

#include "lists/ArchiveLists.h"
#include "storage/VoucherRecord.h"
#include "ui/Windows.h"
#include "voucher/OpenArchive.h"

#include <QColor>
#include <memory>

class QLabel;
class QLineEdit;
class QListView;
class QPushButton;

namespace scontrix::report {
class TReport;
}
namespace scontrix::ui {
class Picture;
class ShapeRect;
} // namespace scontrix::ui

namespace scontrix::lists {

class ListModel;

// What the search window and the unpaid summary share: the results panel with
// its list of vouchers, and the four list operations (find in the list, open
// the chosen entry, print the list). Each window is made for one use over the
// editor, which hands it the archive and takes the chosen voucher through
// voucherChosen.
class ListWindow : public ui::DialogWindow {
    Q_OBJECT
public:
    // The message when the archive cannot be read, the same as the editor's.
    static const QString AccessFailure;
    // A scan shorter than this shows no progress window.
    static constexpr int ScanDelayMs = 400;
    static const QString EmptyListMessage;

    ui::ShapeRect* shpLente;
    QPushButton* btnStampa;
    QPushButton* btnChiudi;
    ui::ShapeRect* shpSfondo;
    ui::Picture* imgLogo;
    ui::Picture* imgLente;
    QLineEdit* txtTrova;
    QPushButton* btnTrova;
    ui::ShapeRect* shpLista;
    QListView* lstRecords;
    QLabel* lblRigo03;

    report::TReport& repRiepilogo() { return *repRiepilogo_; }
    const ListModel& model() const { return *model_; }

    void btnTrovaClick();
    void btnChiudiClick();

    // The list's rows in the order shown.
    QStringList entries() const;

signals:
    // A double click chose this listed voucher, stored at 1-based `position`.
    void voucherChosen(const storage::VoucherRecord& record, qint64 position);

protected:
    struct Look {
        QString caption;
        QColor outline;
        const char* banner;
        QString doubleClickHint;
    };
    // `owner` is the editor, which hands over the archive it works on.
    ListWindow(QWidget* owner, const voucher::OpenArchive& archive, const Look& look);
    ~ListWindow() override;

    // Lays out the results panel on `pan` (its coordinates are the panel's).
    void buildResultsPanel(QWidget* pan, const char* instructionsName, QRect instructions);

    // Puts the rows into the list, sorted, and shows the sideways scroll bar.
    void fillList(ListRows rows);
    void clearList();

    // Open chosen entry: finds the voucher of the selected entry in the archive,
    // among those the window lists by `listed`, and, when `load`, reports it
    // through voucherChosen; then closes in any case.
    void openChosenEntry(bool load, const ListedTest& listed);
    void printList(const QString& title);

    QString archivePath() const;
    QString archiveName() const;

    // Empties the last find text and the find field, as showing does.
    void resetFind();

    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

    virtual void lstRecordsDblClick() = 0;

private:
    voucher::OpenArchive archive_;
    Look look_;
    ListModel* model_;
    std::unique_ptr<report::TReport> repRiepilogo_;
    QString lastFindText_;
};

} // namespace scontrix::lists
