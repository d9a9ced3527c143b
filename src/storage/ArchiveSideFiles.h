#pragma once

#include "storage/Result.h"
#include "storage/VoucherFields.h"

#include <QString>

// The files kept beside each archive and found by its name alone: the settings
// file with the archive's default voucher data, and one logo picture per stored
// voucher. `programFolder` always ends with its separator.
namespace scontrix::storage {

// <folder><name>.ini, next to <folder><name>.eur.
QString settingsPath(const QString& programFolder, const QString& archiveName);

// <folder>Logo_Ditta/
QString logoFolder(const QString& programFolder);

// <folder>Logo_Ditta/<name>_Foto_<position>.jpg. Records never move, so a
// position names the same voucher, and its picture, for ever.
QString logoPath(const QString& programFolder, const QString& archiveName,
                 const QString& positionText);

// The voucher data carried over from one voucher to the next and from one
// session to the next: the texts of these five fields, in the order the
// settings file writes them (Inizio, Scadenza, Valore, Luogo, Condizioni).
using ArchiveDefaults = VoucherTexts;
inline constexpr std::array<Holds, 5> DefaultFields{Holds::ValidFrom, Holds::Expiry, Holds::Value,
                                                    Holds::Place, Holds::Conditions};

// A missing file, section or key reads as an empty text; values are trimmed.
// A file that is there but cannot be read fails (IniFile::load).
Result<ArchiveDefaults> loadArchiveDefaults(const QString& iniPath);

// Writes the five trimmed values (empty ones too) in the order Inizio,
// Scadenza, Valore, Luogo, Condizioni, keeping everything else in the file;
// the other fields of `defaults` are not kept.
// Fails, writing nothing, when the file is there but cannot be read: what it
// holds could not be kept.
Result<> saveArchiveDefaults(const QString& iniPath, const ArchiveDefaults& defaults);

} // namespace scontrix::storage
