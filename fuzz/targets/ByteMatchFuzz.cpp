// The byte-level search matcher against decoding and comparing the texts.
// Input: one byte saying how the filter text is read (even: UTF-8, so it may
// hold characters the code page lacks; odd: Windows-1252), the filter text up
// to the first zero byte, then the bytes searched. Those bytes are also a
// record (padded with zeros), searched by up to ten filters: the filter text
// cut at every "|", one piece per filter field.
#include "FuzzCheck.h"
#include "lists/ByteMatch.h"
#include "lists/SearchFilters.h"
#include "storage/Text.h"
#include "storage/VoucherRecord.h"
#include "storage/Windows1252.h"

#include <QStringList>
#include <algorithm>
#include <cstdint>

using namespace scontrix;
using storage::VoucherRecord;

namespace {

// What a search means: the text occurs in the decoded bytes, a-z and A-Z
// counted alike.
bool decodedContains(const QString& haystack, const QString& needle) {
    return storage::foldAsciiUpper(haystack).contains(storage::foldAsciiUpper(needle));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const bool utf8 = data[0] % 2 == 0;
    const QByteArray rest(reinterpret_cast<const char*>(data + 1),
                          static_cast<qsizetype>(size - 1));
    const qsizetype zero = rest.indexOf('\0');
    const QByteArray needleBytes = zero < 0 ? rest : rest.left(zero);
    const QByteArray haystack = zero < 0 ? QByteArray() : rest.mid(zero + 1);
    const QString needle =
        utf8 ? QString::fromUtf8(needleBytes) : storage::cp1252::decode(needleBytes);

    // The matcher alone. An empty text matches nothing.
    const lists::ByteMatch match(needle);
    const bool expected =
        !needle.isEmpty() && decodedContains(storage::cp1252::decode(haystack), needle);
    FUZZ_CHECK(match.foundIn(QByteArrayView(haystack)) == expected);
    if (needle.isEmpty())
        FUZZ_CHECK(match.matchesNothing());
    // Every prefix of the bytes, so that a match cut at the end is tried too;
    // with the rest of the bytes readable, what lies past the prefix must not
    // count.
    for (qsizetype n = 0; n < std::min<qsizetype>(haystack.size(), 64); ++n) {
        const bool inPrefix =
            !needle.isEmpty() && decodedContains(storage::cp1252::decode(haystack.left(n)), needle);
        FUZZ_CHECK(match.foundIn(haystack.constData(), n) == inPrefix);
        FUZZ_CHECK(match.foundIn(haystack.constData(), n, haystack.size()) == inPrefix);
    }

    // The search filters on a record.
    QByteArray record = haystack.left(VoucherRecord::Size);
    record.append(VoucherRecord::Size - record.size(), '\0');
    const VoucherRecord decoded = VoucherRecord::fromBytes(record);
    std::vector<lists::SearchFilter> filters;
    const QStringList pieces = needle.split(u'|');
    bool every = true;
    for (qsizetype i = 0; i < pieces.size() && i < qsizetype(lists::FilterFields.size()); ++i) {
        const auto field = lists::FilterFields[static_cast<std::size_t>(i)];
        filters.push_back({field, pieces[i]});
        // A filter blank once trimmed takes no part; any other must occur.
        if (!storage::trimControl(pieces[i]).isEmpty() &&
            !decodedContains(decoded.text(field), pieces[i]))
            every = false;
    }
    const lists::SearchFilters search(filters);
    FUZZ_CHECK(search.matches(record.constData()) == every);
    return 0;
}
