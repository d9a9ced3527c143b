#include "ArchiveGenerator.h"
#include "StorageTestSupport.h"
#include "TableRows.h"
#include "storage/ArchiveFile.h"

#include <QDate>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The generated archives that tests and benchmarks stand on: if they were not
// what they claim, a benchmark would measure the wrong thing and a test would
// prove nothing.
namespace scontrix::storage {
namespace {

using testdata::ArchiveSpec;
using testdata::Oddity;
using Field = VoucherRecord::Field;

TEST(StorageGeneratedArchive, TheSameSeedGivesTheSameBytesAndEachRecordStandsAlone) {
    const ArchiveSpec spec{.vouchers = 3000, .seed = 42, .incompleteTail = true};
    testdata::ArchiveSummary summary;
    const QByteArray archive = testdata::makeArchive(spec, &summary);
    EXPECT_EQ(archive, testdata::makeArchive(spec));
    EXPECT_NE(archive, testdata::makeArchive(ArchiveSpec{.vouchers = 3000, .seed = 43}));
    ASSERT_EQ(archive.size(), summary.bytes());
    EXPECT_EQ(summary.records, 3000);
    EXPECT_GT(summary.tailBytes, 0);
    EXPECT_LT(summary.tailBytes, VoucherRecord::Size);
    for (const qint64 index : {0, 1, 1234, 2999})
        EXPECT_EQ(testdata::recordBytes(spec, index), archive.mid(index * 1055, 1055)) << index;
    EXPECT_EQ(archive.mid(3000 * 1055), testdata::recordBytes(spec, 3000).left(summary.tailBytes));

    // Written to disk through the buffer, the bytes are the same.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Grande.eur"));
    QString error;
    ASSERT_TRUE(testdata::writeArchive(path, spec, nullptr, &error)) << error.toStdString();
    EXPECT_EQ(test::readFile(path), archive);
}

TEST(StorageGeneratedArchive, CleanRecordsLookLikeAShopsVouchers) {
    const ArchiveSpec spec{.vouchers = 4000, .seed = 7, .cashedShare = 0.25, .oddEvery = 0};
    testdata::ArchiveSummary summary;
    const QByteArray archive = testdata::makeArchive(spec, &summary);
    const QRegularExpression mobile(QStringLiteral("^(\\+39 )?3\\d{9}$"));
    const QRegularExpression value(QStringLiteral("^\\d+,\\d\\d$"));
    qint64 cashed = 0;
    int accented = 0;
    for (qint64 i = 0; i < spec.vouchers; ++i) {
        const QByteArray raw = archive.mid(i * 1055, 1055);
        const VoucherRecord r = VoucherRecord::fromBytes(raw);
        SCOPED_TRACE(i);
        ASSERT_EQ(r.toBytes(), raw) << "a clean record is what the program itself writes";
        ASSERT_TRUE(r.acquirente.contains(u' '));
        ASSERT_TRUE(mobile.match(r.cel).hasMatch()) << r.cel.toStdString();
        ASSERT_EQ(r.num, QString::number(i + 1));
        const QDate start = QDate::fromString(r.prezzo, QStringLiteral("dd/MM/yyyy"));
        const QDate end = QDate::fromString(r.spettatore, QStringLiteral("dd/MM/yyyy"));
        ASSERT_TRUE(start.isValid() && end.isValid()) << r.prezzo.toStdString();
        ASSERT_GT(end, start);
        ASSERT_TRUE(value.match(r.evento).hasMatch()) << r.evento.toStdString();
        ASSERT_FALSE(r.luogo.isEmpty());
        ASSERT_FALSE(r.scritta.isEmpty());
        ASSERT_TRUE(r.pagatoText == VoucherRecord::flagYes() ||
                    r.pagatoText == VoucherRecord::flagNo());
        cashed += r.pagato;
        accented += (r.acquirente + r.via + r.citta)
                        .contains(QRegularExpression(QStringLiteral("[àèéìòù]")));
    }
    EXPECT_EQ(summary.cashed, cashed);
    EXPECT_EQ(summary.odd, 0);
    EXPECT_NEAR(static_cast<double>(cashed) / 4000, 0.25, 0.03);
    EXPECT_GT(accented, 40) << "Windows-1252 letters beyond ASCII are exercised";
}

// Each kind of odd record, found among many and checked for the oddity it
// claims to carry.
struct OddCase {
    const char* name;
    Oddity oddity;
    bool (*carries)(const char* raw);
};
void PrintTo(const OddCase& c, std::ostream* os) {
    *os << c.name;
}

bool anyField(const char* raw, bool (*test)(const char* raw, Field field)) {
    for (int f = 0; f < VoucherRecord::FieldCount - 1; ++f) {
        if (test(raw, static_cast<Field>(f)))
            return true;
    }
    return false;
}

const OddCase OddCases[] = {
    {"LengthBeyondCapacity", Oddity::LengthBeyondCapacity,
     [](const char* raw) {
         return anyField(raw, [](const char* r, Field f) {
             const auto s = VoucherRecord::slot(f);
             return static_cast<uchar>(r[s.offset]) > s.capacity &&
                    VoucherRecord::field(r, f).size() == s.capacity;
         });
     }},
    {"ControlCodes", Oddity::ControlCodes,
     [](const char* raw) {
         return anyField(raw, [](const char* r, Field f) {
             const auto s = VoucherRecord::slot(f);
             const uchar first = static_cast<uchar>(r[s.offset + 1]);
             const QString text = VoucherRecord::field(r, f);
             return first <= 32 &&
                    std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 32; });
         });
     }},
    {"StrangeFlag", Oddity::StrangeFlag,
     [](const char* raw) {
         const QByteArray flag(raw + 1052, 3);
         return flag != QByteArray("\x02S\xEC", 3) && flag != QByteArray("\x02No", 3);
     }},
    {"UndefinedBytes", Oddity::UndefinedBytes,
     [](const char* raw) {
         return anyField(raw, [](const char* r, Field f) {
             const auto s = VoucherRecord::slot(f);
             const int length = static_cast<uchar>(r[s.offset]);
             return length < s.capacity && r[s.offset + s.capacity] != 0; // garbage past the length
         });
     }},
};

class StorageGeneratedOddRecords : public ::testing::TestWithParam<OddCase> {};

TEST_P(StorageGeneratedOddRecords, CarryTheirOddityAndStillRead) {
    const OddCase& c = GetParam();
    const ArchiveSpec spec{.vouchers = 6000, .seed = 11, .oddEvery = 40};
    int found = 0;
    QByteArray raw(1055, '\0');
    for (qint64 i = 0; i < spec.vouchers; ++i) {
        if (testdata::makeRecord(spec, i, raw.data()) != c.oddity)
            continue;
        ++found;
        EXPECT_TRUE(c.carries(raw.constData())) << "record " << i;
        // Whatever it holds, the program reads it and writes it back as its own.
        const VoucherRecord read = VoucherRecord::fromBytes(raw);
        EXPECT_EQ(VoucherRecord::fromBytes(read.toBytes()).toBytes(), read.toBytes());
    }
    EXPECT_GT(found, 10) << "about one record in 40 is odd, a quarter of them of this kind";
}

INSTANTIATE_TEST_SUITE_P(Storage, StorageGeneratedOddRecords, ::testing::ValuesIn(OddCases),
                         scontrix::test::RowName());

TEST(StorageGeneratedArchive, AnIncompleteTailIsNotCountedByTheArchive) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Coda.eur"));
    const ArchiveSpec spec{.vouchers = 25, .seed = 3, .incompleteTail = true};
    ASSERT_TRUE(testdata::writeArchive(path, spec));
    ArchiveFile archive;
    ASSERT_TRUE(archive.open(path));
    EXPECT_EQ(archive.count(), 25);
}

} // namespace
} // namespace scontrix::storage
