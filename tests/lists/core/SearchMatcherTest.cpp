#include "lists/SearchFilters.h"
#include "storage/Text.h"
#include "storage/VoucherRecord.h"

#include <QRandomGenerator>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <vector>

using namespace scontrix;

namespace {

// The matcher on the bytes against plain decoding and comparing, over records
// full of odd bytes: length bytes beyond capacity, control characters, the
// code page's undefined bytes, accented capitals and blanks at the ends.
TEST(SearchMatcher, AgreesWithDecodingAndComparingOverOddRecords) {
    QRandomGenerator random(20240401);
    const QByteArray alphabet = QByteArray("aAbBrRoOsSiI ") + "\x00\x01\x09\x1f\x20" +
                                "\x80\x81\x8d\x8f\x90\x9d\xc0\xe0\xc8\xe8\xcc\xec\xff\x9f";
    auto randomBytes = [&](int n) {
        QByteArray bytes;
        for (int i = 0; i < n; ++i)
            bytes.append(alphabet[random.bounded(static_cast<int>(alphabet.size()))]);
        return bytes;
    };
    QByteArray archive;
    for (int r = 0; r < 3000; ++r) {
        QByteArray record = randomBytes(storage::VoucherRecord::Size);
        for (const auto& slot : storage::VoucherRecord::Layout) {
            // Mostly short lengths so that fields are really compared; now
            // and then a length byte past the capacity.
            const int length =
                random.bounded(8) == 0 ? 255 : random.bounded(std::min(slot.capacity, 9) + 1);
            record[slot.offset] = static_cast<char>(length);
        }
        archive += record;
    }
    const QStringList filterTexts = {
        QStringLiteral("ro"),     QStringLiteral("RO"),     QStringLiteral("s "),
        QStringLiteral(" s"),     QStringLiteral("\u00e0"), QStringLiteral("\u00c0"),
        QStringLiteral("\u20ac"), QStringLiteral("\u0081"), QStringLiteral("\u0178"),
        QStringLiteral("\u0151"), QStringLiteral("a\tb"),   QStringLiteral("iI"),
        QStringLiteral("   "),    QStringLiteral(" o "),    QStringLiteral("\u00ec")};

    const auto decodedMatch = [](const storage::VoucherRecord& record,
                                 const std::vector<lists::SearchFilter>& filters) {
        for (const auto& f : filters) {
            if (storage::trimControl(f.text).isEmpty())
                continue;
            QString field = record.text(f.field);
            QString wanted = f.text;
            for (QString* s : {&field, &wanted})
                for (QChar& c : *s)
                    if (c >= u'A' && c <= u'Z')
                        c = QChar(c.unicode() + 32);
            if (!field.contains(wanted))
                return false;
        }
        return true;
    };

    int listed = 0;
    for (int round = 0; round < 200; ++round) {
        std::vector<lists::SearchFilter> filters;
        for (int k = 0, n = 1 + random.bounded(2); k < n; ++k)
            filters.push_back({lists::FilterFields[static_cast<std::size_t>(random.bounded(10))],
                               filterTexts[random.bounded(static_cast<int>(filterTexts.size()))]});
        const lists::SearchFilters matcher(filters);
        for (qsizetype r = 0; r < archive.size() / storage::VoucherRecord::Size; ++r) {
            const char* raw = archive.constData() + r * storage::VoucherRecord::Size;
            const bool expected = decodedMatch(storage::VoucherRecord::fromRaw(raw), filters);
            ASSERT_EQ(matcher.matches(raw), expected)
                << "record " << r << ", filter \"" << filters[0].text.toStdString() << "\"";
            listed += expected;
        }
    }
    EXPECT_GT(listed, 1000) << "the crafted records must give matches, not only misses";
}

} // namespace
