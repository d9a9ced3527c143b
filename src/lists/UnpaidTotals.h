#pragma once

#include <QByteArrayView>
#include <QDate>
#include <QString>
#include <optional>

namespace scontrix::lists {

// What the unpaid list adds up to: how much is still owed and how much of it
// has run out. Shown on screen only.
struct UnpaidTotals {
    qint64 count = 0;
    qint64 totalCents = 0;
    qint64 notAmounts = 0; // values that are no amount, left out of the total
    qint64 expired = 0;    // expiry date before today

    // Adds one listed voucher by its trimmed value and expiry date.
    void add(const QString& value, const QString& expiry, QDate today);
    // The same from the trimmed Windows-1252 bytes of the two fields: the
    // common forms ("50,00", "31/12/2025") are read without making strings.
    void addBytes(QByteArrayView value, QByteArrayView expiry, QDate today);

    // Adds what another part of the same list adds up to.
    void add(const UnpaidTotals& other);

    // "12 buoni non incassati per € 1.234,50, di cui 3 scaduti", with the
    // values that are no amount counted apart.
    QString summary() const;
};

// A value as an amount in cents: a number written with a decimal comma, as the
// editor leaves it ("50,00"); none for anything else.
std::optional<qint64> amountInCents(const QString& value);

} // namespace scontrix::lists
