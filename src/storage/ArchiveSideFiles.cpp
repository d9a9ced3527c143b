#include "storage/ArchiveSideFiles.h"

#include "storage/IniFile.h"
#include "storage/Text.h"

#include <array>
#include <utility>

namespace scontrix::storage {

namespace {

const QString Section = QStringLiteral("Dati Buono");

// Keys in the order they are written.
using Member = QString ArchiveDefaults::*;
const std::array<std::pair<QString, Member>, 5> Keys{{
    {QStringLiteral("Inizio"), &ArchiveDefaults::inizio},
    {QStringLiteral("Scadenza"), &ArchiveDefaults::scadenza},
    {QStringLiteral("Valore"), &ArchiveDefaults::valore},
    {QStringLiteral("Luogo"), &ArchiveDefaults::luogo},
    {QStringLiteral("Condizioni"), &ArchiveDefaults::condizioni},
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
    for (const auto& [key, member] : Keys)
        defaults.*member = trimControl(ini->value(Section, key));
    return defaults;
}

Result<> saveArchiveDefaults(const QString& iniPath, const ArchiveDefaults& defaults) {
    Result<IniFile> ini = IniFile::load(iniPath);
    if (!ini)
        return Failure{ini.error()};
    IniFile updated = *ini;
    for (const auto& [key, member] : Keys)
        updated.setValue(Section, key, trimControl(defaults.*member));
    return updated.save(iniPath);
}

} // namespace scontrix::storage
