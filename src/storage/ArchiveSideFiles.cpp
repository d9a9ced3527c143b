#include "storage/ArchiveSideFiles.h"

#include "storage/IniFile.h"
#include "storage/Text.h"

#include <array>
#include <utility>

namespace scontrix::storage {

namespace {

const QString Section = QStringLiteral("Dati Buono");

// The file's key for each of DefaultFields, in the order they are written.
const std::array<std::pair<QString, Holds>, 5> Keys{{
    {QStringLiteral("Inizio"), Holds::ValidFrom},
    {QStringLiteral("Scadenza"), Holds::Expiry},
    {QStringLiteral("Valore"), Holds::Value},
    {QStringLiteral("Luogo"), Holds::Place},
    {QStringLiteral("Condizioni"), Holds::Conditions},
}};

} // namespace

QString settingsPath(const QString& programFolder, const QString& archiveName) {
    return programFolder + trimControl(archiveName) + QStringLiteral(".ini");
}

QString logoFolder(const QString& programFolder) {
    return programFolder + QStringLiteral("Logo_Ditta/");
}

QString logoPath(const QString& programFolder, const QString& archiveName,
                 const QString& positionText) {
    return logoFolder(programFolder) + trimControl(archiveName) + QStringLiteral("_Foto_") +
           trimControl(positionText) + QStringLiteral(".jpg");
}

Result<ArchiveDefaults> loadArchiveDefaults(const QString& iniPath) {
    const Result<IniFile> ini = IniFile::load(iniPath);
    if (!ini)
        return Failure{ini.error()};
    ArchiveDefaults defaults;
    for (const auto& [key, holds] : Keys)
        defaults[holds] = trimControl(ini->value(Section, key));
    return defaults;
}

Result<> saveArchiveDefaults(const QString& iniPath, const ArchiveDefaults& defaults) {
    Result<IniFile> ini = IniFile::load(iniPath);
    if (!ini)
        return Failure{ini.error()};
    IniFile updated = *ini;
    for (const auto& [key, holds] : Keys)
        updated.setValue(Section, key, trimControl(defaults[holds]));
    return updated.save(iniPath);
}

} // namespace scontrix::storage
