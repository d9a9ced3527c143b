#pragma once

#include <QByteArray>
#include <QString>
#include <array>
#include <cstddef>

namespace scontrix::storage {

// One voucher as an archive stores it: 1055 bytes, twelve texts of fixed
// capacity and the cashed flag, each a length byte followed by its capacity in
// Windows-1252 bytes. The layout is shared with every archive already in the
// shops, so it never changes.
struct VoucherRecord {
    static constexpr int Size = 1055;

    // In record order.
    enum class Field {
        Acquirente,
        Via,
        Citta,
        Cel,
        Num,
        Prezzo,
        Spettatore,
        Posto,
        Evento,
        Luogo,
        Scritta,
        Note,
        Pagato,
    };
    static constexpr int FieldCount = 13;

    // Where a field's length byte lies and how many text bytes follow it.
    struct Slot {
        int offset;
        int capacity;
    };
    static constexpr std::array<Slot, FieldCount> Layout{{
        {0, 50},    // Acquirente
        {51, 120},  // Via
        {172, 50},  // Citta
        {223, 15},  // Cel
        {239, 20},  // Num
        {260, 15},  // Prezzo
        {276, 50},  // Spettatore
        {327, 50},  // Posto
        {378, 50},  // Evento
        {429, 120}, // Luogo
        {550, 250}, // Scritta
        {801, 250}, // Note
        {1052, 2},  // Pagato
    }};
    static constexpr Slot slot(Field field) { return Layout[static_cast<std::size_t>(field)]; }

    // The flag texts; only these two are ever written.
    static QString flagYes() { return QStringLiteral("S\u00ec"); }
    static QString flagNo() { return QStringLiteral("No"); }

    QString acquirente;
    QString via;
    QString citta;
    QString cel;
    QString num;
    QString prezzo;     // first day of validity
    QString spettatore; // expiry date
    QString posto;      // beneficiary
    QString evento;     // value in euro
    QString luogo;
    QString scritta;
    QString note;
    bool pagato = false;
    // The flag as read from the archive, decoded and trimmed. A flag that is
    // neither "Sì" nor "No" leaves the editor's box as it was and keeps the
    // voucher out of the unpaid list, so readers need the text itself. Empty in
    // a record built in memory; toBytes() writes `pagato` and ignores it.
    QString pagatoText;

    // A field as text; Pagato gives "Sì" or "No" after `pagato`.
    QString text(Field field) const;
    // Sets a text field; for Pagato the flag is set when the trimmed text is "Sì".
    void setText(Field field, const QString& value);

    // Exactly Size bytes. Each text is trimmed of leading and trailing
    // characters of code 0 to 32, converted to Windows-1252 and cut to its
    // capacity without notice; unused bytes are zero.
    QByteArray toBytes() const;

    // Reads a record leniently, whatever another program left in it: a length
    // byte above the capacity counts as the capacity, bytes past the length are
    // never looked at, texts are trimmed. Missing bytes of a short array read as
    // zero.
    static VoucherRecord fromBytes(const QByteArray& bytes);
    // `recordBytes` must point at Size bytes.
    static VoucherRecord fromRaw(const char* recordBytes);

    // One field of a raw record, decoded and trimmed as fromRaw() would, for
    // scans that filter a large archive on a few fields only.
    static QString field(const char* recordBytes, Field field);
};

} // namespace scontrix::storage
