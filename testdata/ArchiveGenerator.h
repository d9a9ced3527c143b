#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdint>

// Archives that look like a shop's, of any size, for tests and benchmarks:
// Italian customers, streets, towns and mobiles, validity dates, values, a
// share of cashed vouchers, and now and then a record with the odd bytes other
// programs and old copies leave behind. Everything follows from the seed: the
// same spec gives the same bytes on every machine, and record i can be made on
// its own, without making the ones before it.
namespace scontrix::testdata {

// What an odd record carries instead of a clean field.
enum class Oddity : std::uint8_t {
    None,
    LengthBeyondCapacity, // a length byte above the field's capacity
    ControlCodes,         // control characters and blanks around and inside a text
    StrangeFlag,          // a cashed flag that is neither "Sì" nor "No"
    UndefinedBytes,       // Windows-1252 codes without a character, and garbage past the length
};
inline constexpr int OddityKinds = 4; // the kinds after None

struct ArchiveSpec {
    qint64 vouchers = 1000;
    std::uint64_t seed = 1;
    // Share of vouchers already cashed, 0 to 1.
    double cashedShare = 0.35;
    // One record in about this many is odd; 0 makes none.
    qint64 oddEvery = 500;
    // Adds the first bytes of one more record, as a save cut short leaves them.
    bool incompleteTail = false;
};

// What a generated archive holds, counted as it was made.
struct ArchiveSummary {
    qint64 records = 0;
    qint64 cashed = 0; // flag exactly "Sì"
    qint64 odd = 0;
    qint64 tailBytes = 0; // of the incomplete last record
    qint64 bytes() const;
};

// Record `index` (0-based) of an archive of `spec`: VoucherRecord::Size bytes
// written to `out`. Returns what is odd about it.
Oddity makeRecord(const ArchiveSpec& spec, qint64 index, char* out);
QByteArray recordBytes(const ArchiveSpec& spec, qint64 index);

// The length of the incomplete tail of `spec` (0 without one), and its bytes:
// the start of record `spec.vouchers`.
qint64 tailLength(const ArchiveSpec& spec);

// The whole archive in memory, for small ones.
QByteArray makeArchive(const ArchiveSpec& spec, ArchiveSummary* summary = nullptr);

// Writes the archive to `path` through a large buffer, replacing the file.
// False with `error` set when the file cannot be written.
bool writeArchive(const QString& path, const ArchiveSpec& spec, ArchiveSummary* summary = nullptr,
                  QString* error = nullptr);

} // namespace scontrix::testdata
