#pragma once

#include "lists/ByteMatch.h"
#include "storage/VoucherRecord.h"

#include <QString>
#include <array>
#include <vector>

namespace scontrix::lists {

// The ten filters of the search window, in the order of its fields.
struct SearchFilter {
    storage::VoucherRecord::Field field;
    QString text; // as typed: neither trimmed nor folded
};

// Which record field each of the ten filter fields searches.
inline constexpr std::array<storage::VoucherRecord::Field, 10> FilterFields{
    storage::VoucherRecord::Field::Acquirente, storage::VoucherRecord::Field::Via,
    storage::VoucherRecord::Field::Citta,      storage::VoucherRecord::Field::Cel,
    storage::VoucherRecord::Field::Num,        storage::VoucherRecord::Field::Spettatore,
    storage::VoucherRecord::Field::Posto,      storage::VoucherRecord::Field::Evento,
    storage::VoucherRecord::Field::Scritta,    storage::VoucherRecord::Field::Note,
};

// A search: a record is listed when every filter that takes part occurs
// somewhere in its field. A filter whose text is blank once trimmed takes no
// part; any other takes part exactly as typed, so "rossi " with its trailing
// blank does not find a field that ends in "Rossi" (fields are trimmed).
class SearchFilters {
public:
    explicit SearchFilters(const std::vector<SearchFilter>& filters);

    // How many filters take part.
    int count() const { return static_cast<int>(active_.size()); }

    // Looks at the raw record bytes of the filtered fields only.
    bool matches(const char* recordBytes) const;

private:
    struct Active {
        storage::VoucherRecord::Slot slot;
        ByteMatch match;
    };
    std::vector<Active> active_;
};

} // namespace scontrix::lists
