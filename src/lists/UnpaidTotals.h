#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace scontrix::lists {

// A sum of cents that no archive can overflow: a million vouchers of the
// largest value the editor writes (fifteen digits of euros) add up to some
// 10^23 cents, past 64 bits, far below 128.
__extension__ using Cents = __int128;

// What the unpaid list adds up to: how much is still owed and how much of it
// has run out. Shown on screen only.
struct UnpaidTotals {
    qint64 count = 0;
    Cents totalCents = 0;
    qint64 notAmounts = 0;  // values that are no number, left out of the total
    qint64 emptyValues = 0; // vouchers without a value, left out too
    qint64 negatives = 0;   // no voucher is worth less than nothing: left out
    qint64 expired = 0;     // expiry date before today

    // Adds one listed voucher by its trimmed value and expiry date.
    void add(const QString& value, const QString& expiry, QDate today);
    // The same from the trimmed Windows-1252 bytes of the two fields: the
    // common forms ("50,00", "31/12/2025") are read without making strings.
    void addBytes(QByteArrayView value, QByteArrayView expiry, QDate today);

    // Adds what another part of the same list adds up to.
    void add(const UnpaidTotals& other);

    // "12 buoni non incassati per € 1.234,50, 3 scaduti", with the values
    // left out of the total counted apart, each kind by its name.
    QString summary() const;
};

// A value as an amount in cents, as the editor's value rule reads and rounds
// it ("50", "12,345", "1,5E1", fifteen digits and more); none for a text that
// is no number, for an empty one, and for one too large to hold.
std::optional<Cents> amountInCents(const QString& value);

// An amount in euro as the summary writes it: "1.234,50".
QString euroText(Cents cents);

} // namespace scontrix::lists
