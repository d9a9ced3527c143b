#pragma once

#include <QString>

namespace scontrix::editor {

// What the customer is told when a voucher is issued; every text trimmed.
struct WhatsAppNotice {
    QString cel;        // mobile number, as typed
    QString num;        // voucher number
    QString evento;     // value
    QString prezzo;     // validity start
    QString spettatore; // expiry
    QString posto;      // beneficiary
    QString luogo;      // where it can be spent
};

// The message text, in the shop's words.
QString whatsAppMessage(const WhatsAppNotice& notice);

// The mobile number as the web client takes it, in international form: a
// number with "00" in front loses those two digits (a "+" in front, which
// only a hand-edited archive can hold, goes likewise), one of ten digits
// or fewer is an Italian number and gets the country code 39 in front, a
// longer one is taken as international already. The stored number stays as
// typed; only the link carries this form.
QString whatsAppPhone(const QString& cel);

// The click-to-chat link of the web client, with the phone of whatsAppPhone(). The phone number and the message
// are percent-encoded (UTF-8), so that an "&", "#", "+" or "?" in a field
// reaches the customer as typed instead of cutting the message short.
QString whatsAppLink(const WhatsAppNotice& notice);

} // namespace scontrix::editor
