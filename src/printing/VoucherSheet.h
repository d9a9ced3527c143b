#pragma once

#include "report/TReport.h"
#include "storage/VoucherFields.h"

#include <QImage>
#include <QString>
#include <memory>

// The voucher sheet: one A4 page with the voucher drawn as a strip across its
// top, the customer part on the left and the stub the shop keeps on the right.
namespace scontrix::printing {

// The template as designed, holding sample texts and a placeholder logo. The
// print and preview windows each build their own, so every use starts from it.
std::unique_ptr<report::TReport> makeVoucherSheet();

// The square placeholder the template keeps in its logo box.
QImage voucherSheetPlaceholder();

// What the sheet prints of a voucher, as the editor shows it.
// The sheet prints the number, validity, value, place, beneficiary and
// conditions of `texts`; the buyer's fields and the notes stay in the shop.
struct VoucherSheetData {
    QImage logo;
    storage::VoucherTexts texts;
};

// Copies a voucher into the named boxes of a voucher sheet: the logo, then
// each text trimmed behind its fixed words ("N. ", "Valido dal ",
// "Buono acquisto € "). Throws std::runtime_error naming the object when the
// template lacks one of them or holds it as another kind of object.
void fillVoucherSheet(report::TReport& sheet, const VoucherSheetData& voucher);

} // namespace scontrix::printing
