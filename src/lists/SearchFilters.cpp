#include "lists/SearchFilters.h"

#include "storage/Text.h"

#include <algorithm>

namespace scontrix::lists {

SearchFilters::SearchFilters(const std::vector<SearchFilter>& filters) {
    for (const SearchFilter& f : filters) {
        if (storage::trimControl(f.text).isEmpty())
            continue;
        active_.push_back({storage::VoucherRecord::slot(f.field), ByteMatch(f.text)});
    }
}

bool SearchFilters::matches(const char* recordBytes) const {
    for (const Active& a : active_) {
        const int length =
            std::min<int>(static_cast<uchar>(recordBytes[a.slot.offset]), a.slot.capacity);
        const char* begin = recordBytes + a.slot.offset + 1;
        const char* end = begin + length;
        // The field as read: trimmed of codes 0 to 32, which are the same bytes.
        while (begin < end && static_cast<uchar>(*begin) <= 32)
            ++begin;
        while (end > begin && static_cast<uchar>(end[-1]) <= 32)
            --end;
        // Every byte to the end of the record may be read.
        const char* recordEnd = recordBytes + storage::VoucherRecord::Size;
        if (!a.match.foundIn(begin, end - begin, recordEnd - begin))
            return false;
    }
    return true;
}

} // namespace scontrix::lists
