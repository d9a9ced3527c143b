#pragma once

#include "storage/VoucherFields.h"

#include <QString>

namespace scontrix::editor {

// What the customer is told when a voucher is issued: its number, value,
// validity, beneficiary and place, each trimmed, in the shop's words.
QString whatsAppMessage(const storage::VoucherTexts& voucher);

// The mobile number as the web client takes it, in international form: a
// number with "00" in front loses those two digits (a "+" in front, which
// only a hand-edited archive can hold, goes likewise), one of ten digits
// or fewer is an Italian number and gets the country code 39 in front, a
// longer one is taken as international already. The stored number stays as
// typed; only the link carries this form.
QString whatsAppPhone(const QString& cel);

// The click-to-chat link of the web client, with the phone of whatsAppPhone(). The phone number and
// the message are percent-encoded (UTF-8), so that an "&", "#", "+" or "?" in a field reaches the
// customer as typed instead of cutting the message short. The number is the voucher's mobile field,
// trimmed.
QString whatsAppLink(const storage::VoucherTexts& voucher);

} // namespace scontrix::editor
