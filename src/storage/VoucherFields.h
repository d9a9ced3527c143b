#pragma once

#include "storage/VoucherRecord.h"

#include <QString>
#include <array>
#include <cstddef>

namespace scontrix::storage {

// What each text field of a voucher holds. The record layout and the editor's
// controls keep the names the shops' archives were made with, although four of
// them hold something else (Prezzo the first day of validity, Spettatore the
// expiry, Posto the beneficiary, Evento the value); the program's cores call
// every field by what it holds, and FieldNames is the one place where the two
// vocabularies meet.
enum class Holds {
    Buyer,
    Street,
    City,
    Mobile,
    Number,
    ValidFrom,
    Expiry,
    Beneficiary,
    Value,
    Place,
    Conditions,
    Notes,
};
inline constexpr std::size_t HoldsCount = 12;

struct FieldName {
    Holds holds;
    VoucherRecord::Field record;
    const char* control; // the editor's control showing it
};

// In record order, which is also the order of Holds.
inline constexpr std::array<FieldName, HoldsCount> FieldNames{{
    {Holds::Buyer, VoucherRecord::Field::Acquirente, "txtAcquirente"},
    {Holds::Street, VoucherRecord::Field::Via, "txtVia"},
    {Holds::City, VoucherRecord::Field::Citta, "txtCitta"},
    {Holds::Mobile, VoucherRecord::Field::Cel, "txtCel"},
    {Holds::Number, VoucherRecord::Field::Num, "txtNum"},
    {Holds::ValidFrom, VoucherRecord::Field::Prezzo, "txtPrezzo"},
    {Holds::Expiry, VoucherRecord::Field::Spettatore, "txtSpettatore"},
    {Holds::Beneficiary, VoucherRecord::Field::Posto, "txtPosto"},
    {Holds::Value, VoucherRecord::Field::Evento, "txtEvento"},
    {Holds::Place, VoucherRecord::Field::Luogo, "txtLuogo"},
    {Holds::Conditions, VoucherRecord::Field::Scritta, "txtScritta"},
    {Holds::Notes, VoucherRecord::Field::Note, "txtNote"},
}};

constexpr const FieldName& fieldName(Holds holds) {
    return FieldNames[static_cast<std::size_t>(holds)];
}
constexpr VoucherRecord::Field recordField(Holds holds) {
    return fieldName(holds).record;
}

// The texts of a voucher's fields by what they hold; a field never set is
// empty. What the settings file proposes, what the sheet prints and what the
// customer is told on WhatsApp are all such texts, each reading the fields it
// needs.
class VoucherTexts {
public:
    VoucherTexts() = default;
    // Every field's text as the record holds it.
    explicit VoucherTexts(const VoucherRecord& record) {
        for (const FieldName& f : FieldNames)
            (*this)[f.holds] = record.text(f.record);
    }

    QString& operator[](Holds holds) { return texts_[static_cast<std::size_t>(holds)]; }
    const QString& operator[](Holds holds) const { return texts_[static_cast<std::size_t>(holds)]; }
    friend bool operator==(const VoucherTexts&, const VoucherTexts&) = default;

private:
    std::array<QString, HoldsCount> texts_;
};

static_assert(
    [] {
        for (std::size_t i = 0; i < FieldNames.size(); ++i) {
            if (static_cast<std::size_t>(FieldNames[i].holds) != i ||
                static_cast<std::size_t>(FieldNames[i].record) != i)
                return false;
        }
        return true;
    }(),
    "FieldNames follows the order of Holds and of the record");

} // namespace scontrix::storage
