#pragma once

#include "lists/ListWindow.h"

namespace scontrix::lists {

// Lists the vouchers of the open archive not yet cashed, with how many they
// are, what they are worth and how many have expired.
class TfrmRiepDaPagare final : public ListWindow {
    Q_OBJECT
public:
    TfrmRiepDaPagare(QWidget* owner, const voucher::OpenArchive& archive);

    QWidget* panContainer;
    // In the free strip between the two bottom buttons: count, total, expired.
    QLabel* lblTotali;

    void FormShow();
    void btnStampaClick();

    static const QString Title;

protected:
    void showEvent(QShowEvent* event) override;
    void lstRecordsDblClick() override;
};

} // namespace scontrix::lists
