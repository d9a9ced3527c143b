// A big archive is scanned in two halves at once and a big list sorted in two
// shares at once. Both must give exactly what one pass over everything gives:
// the same rows in the same order, the same totals, the same chosen voucher.
// The sizes at which the work is split are lowered here so that tiny crafted
// archives and lists take the split path, cut at awkward places.
#include "ArchiveGenerator.h"
#include "TempFolder.h"
#include "lists/ArchiveLists.h"
#include "lists/ListRow.h"
#include "lists/ListRows.h"
#include "lists/SideBySide.h"
#include "storage/Windows1252.h"

#include <QRandomGenerator>
#include <algorithm>
#include <gtest/gtest.h>

using namespace scontrix;
using storage::VoucherRecord;
using Field = VoucherRecord::Field;

namespace {

// Runs the work with everything split as early as possible, or never.
class Sizes {
public:
    explicit Sizes(const lists::Splitting& sizes) : previous_(lists::setSplitting(sizes)) {}
    explicit Sizes(bool split) : Sizes(split ? Early : Never) {}
    ~Sizes() { lists::setSplitting(previous_); }
    Sizes(const Sizes&) = delete;
    Sizes& operator=(const Sizes&) = delete;

    static constexpr lists::Splitting Early{1, 2, 2};
    static constexpr qint64 Huge = qint64(1) << 40;
    static constexpr lists::Splitting Never{Huge, Huge, Huge};

private:
    lists::Splitting previous_;
};

QStringList texts(const lists::ListRows& rows) {
    QStringList out;
    for (qsizetype i = 0; i < rows.size(); ++i)
        out << rows.text(i);
    return out;
}

// What every scan of one archive gives, with or without splitting.
struct Scans {
    QStringList found; // the search's rows in archive order
    QStringList foundSorted;
    QStringList unpaid;
    QStringList unpaidSorted;
    lists::UnpaidTotals totals;
    qint64 chosenPosition = 0;
    QString chosenNote;
    bool ok = false;
};

Scans scanAll(const QString& path, const QString& chosenRow, bool split) {
    const Sizes sizes(split);
    Scans s;
    const lists::SearchFilters filters(
        {{Field::Acquirente, QStringLiteral("a")}, {Field::Note, QStringLiteral("e")}});
    lists::ListScan found = lists::searchArchive(path, filters);
    s.found = texts(found.rows);
    found.rows.sort();
    s.foundSorted = texts(found.rows);

    lists::ListScan unpaid = lists::unpaidVouchers(path, {}, &s.totals, QDate(2025, 6, 1));
    s.unpaid = texts(unpaid.rows);
    unpaid.rows.sort();
    s.unpaidSorted = texts(unpaid.rows);

    const lists::ChosenRecord chosen = lists::findChosenRecord(path, chosenRow);
    s.chosenPosition = chosen.position;
    s.chosenNote = chosen.record ? chosen.record->note : QString();
    s.ok = found.outcome && unpaid.outcome && chosen.outcome;
    return s;
}

struct SplitCase {
    const char* name;
    qint64 vouchers;
    // Where the two copies of the chosen voucher stand (0-based), the second
    // with another note, so that the loaded one tells which was taken.
    qint64 firstCopy;
    qint64 secondCopy;
};

void PrintTo(const SplitCase& c, std::ostream* os) {
    *os << c.name;
}

class SplitScan : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitScan, HalvesGiveWhatOnePassGives) {
    const SplitCase& c = GetParam();
    test::TempFolder folder;
    testdata::ArchiveSpec spec;
    spec.vouchers = c.vouchers;
    spec.seed = 7;
    spec.oddEvery = 5; // many odd bytes, flags neither "Sì" nor "No" among them
    spec.incompleteTail = true;
    QByteArray archive = testdata::makeArchive(spec);

    VoucherRecord chosen;
    chosen.acquirente = QStringLiteral("Zanetti Ada");
    chosen.cel = QStringLiteral("3401234567");
    chosen.evento = QStringLiteral("25,00");
    chosen.pagato = false;
    chosen.note = QStringLiteral("prima copia");
    archive.replace(c.firstCopy * VoucherRecord::Size, VoucherRecord::Size, chosen.toBytes());
    chosen.note = QStringLiteral("seconda copia");
    archive.replace(c.secondCopy * VoucherRecord::Size, VoucherRecord::Size, chosen.toBytes());
    folder.write(QStringLiteral("Negozio.eur"), archive);
    const QString path = folder.file(QStringLiteral("Negozio.eur"));
    const QString chosenRow = lists::buildListRow(chosen);

    const Scans one = scanAll(path, chosenRow, false);
    const Scans two = scanAll(path, chosenRow, true);
    ASSERT_TRUE(one.ok);
    ASSERT_TRUE(two.ok);
    EXPECT_FALSE(one.unpaid.isEmpty());
    EXPECT_EQ(two.found, one.found);
    EXPECT_EQ(two.foundSorted, one.foundSorted);
    EXPECT_EQ(two.unpaid, one.unpaid);
    EXPECT_EQ(two.unpaidSorted, one.unpaidSorted);
    EXPECT_EQ(two.totals.count, one.totals.count);
    EXPECT_EQ(two.totals.totalCents, one.totals.totalCents);
    EXPECT_EQ(two.totals.notAmounts, one.totals.notAmounts);
    EXPECT_EQ(two.totals.expired, one.totals.expired);
    // The later copy wins, on both paths.
    EXPECT_EQ(one.chosenPosition, c.secondCopy + 1);
    EXPECT_EQ(two.chosenPosition, c.secondCopy + 1);
    EXPECT_EQ(two.chosenNote, QStringLiteral("seconda copia"));
}

INSTANTIATE_TEST_SUITE_P(Lists, SplitScan,
                         ::testing::Values(
                             // One voucher: the first half is empty.
                             SplitCase{"OneVoucherTwiceTheSame", 1, 0, 0},
                             SplitCase{"TwoVouchersOneInEachHalf", 2, 0, 1},
                             SplitCase{"ThreeVouchersTheSecondHalfLonger", 3, 0, 2},
                             SplitCase{"CopiesEitherSideOfTheCut", 801, 399, 400},
                             SplitCase{"BothCopiesInTheFirstHalf", 801, 3, 300},
                             SplitCase{"BothCopiesInTheSecondHalf", 801, 500, 800},
                             SplitCase{"FirstAndLastVoucher", 1001, 0, 1000}),
                         [](const auto& row) { return std::string(row.param.name); });

// The list order on rows that tie in ways the sort has shortcuts for: the
// same first two characters (one bucket), the same first 48 characters (the
// packed key), rows ending inside the key, empty rows, prefixes, a-z folded
// against accented capitals, and equal rows that keep the order they came in.
TEST(SplitSort, SortsAsThePlainComparisonOnTrickyRows) {
    const QString longCommon =
        QStringLiteral("Rossi Mario               ") + QStringLiteral("  Cel. 3331234567    ");
    const QStringList tricky = {
        QString(),
        QStringLiteral("a"),
        QStringLiteral("A"),
        QStringLiteral("ab"),
        QStringLiteral("AB"),
        QStringLiteral("Ross"),
        QStringLiteral("ROSS"),
        QStringLiteral("rossi"),
        QStringLiteral("R_ssi"),
        QStringLiteral("[bar]"),
        QStringLiteral("\u00c0ngelo"),
        QStringLiteral("\u00e0ngelo"),
        QStringLiteral("\u00c9lena"),
        QStringLiteral("Zeno"),
        QStringLiteral("\u20ac"),
        QStringLiteral("\u00ff"),
        QStringLiteral("Rossi Mario"),
        QStringLiteral("Rossini"),
        longCommon,
        longCommon + QStringLiteral("x"),
        longCommon + QStringLiteral("X"),
        longCommon + QStringLiteral("\u00c8"),
        longCommon + QStringLiteral("\u00e8 piu lunga"),
        longCommon.left(47),
        longCommon.left(48),
        longCommon.left(49),
        longCommon.toLower(),
    };
    // Each row several times, in shuffled order, so that both shares of the
    // split sort meet every kind of tie.
    QStringList added;
    for (int copy = 0; copy < 5; ++copy)
        added += tricky;
    QRandomGenerator random(11);
    std::shuffle(added.begin(), added.end(), random);

    QStringList expected = added;
    std::stable_sort(expected.begin(), expected.end(),
                     [](const QString& a, const QString& b) { return lists::listTextLess(a, b); });

    // In one piece, over buckets in one share, over buckets in two shares.
    const lists::Splitting ways[] = {Sizes::Never, {Sizes::Huge, Sizes::Huge, 2}, Sizes::Early};
    for (const lists::Splitting& way : ways) {
        const Sizes sizes(way);
        // Added in two lists joined, as the scans of two halves give them.
        lists::ListRows rows;
        lists::ListRows second;
        for (qsizetype i = 0; i < added.size(); ++i)
            (i < added.size() / 3 ? rows : second).append(added[i]);
        rows.append(std::move(second));
        EXPECT_EQ(texts(rows), added) << "joined rows read as added";
        rows.sort();
        // Rows equal but for the case of a-z ("a", "A") stay in the order
        // they came, as the stable plain sort keeps them.
        EXPECT_EQ(texts(rows), expected)
            << "sorted from " << way.bucketRows << " rows over buckets, " << way.sortRows
            << " in two shares";
    }
}

} // namespace
