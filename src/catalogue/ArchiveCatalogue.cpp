#include "catalogue/ArchiveCatalogue.h"

#include "storage/ArchiveFile.h"
#include "storage/ArchiveSideFiles.h"
#include "storage/Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <climits>
#include <unistd.h>

namespace scontrix::catalogue {

QStringList listArchiveFiles(const QString& folder) {
    QDir dir(folder);
    // The pattern matches the extension in any letter case, as the desktops
    // the program folder travels to do.
    dir.setNameFilters({QStringLiteral("*") + ArchiveExtension});
    QStringList names = dir.entryList(QDir::Files | QDir::Hidden, QDir::Unsorted);
    std::sort(names.begin(), names.end(), archiveOrder);
    return names;
}

bool archiveOrder(const QString& a, const QString& b) {
    const int folded = storage::foldAsciiUpper(a).compare(storage::foldAsciiUpper(b));
    if (folded != 0)
        return folded < 0;
    // Names that differ only in case come in a fixed order as well.
    return a.compare(b) < 0;
}

QString countText(qsizetype count) {
    return QStringLiteral("Sono stati creati %1 archivi.").arg(count);
}

QString archiveNameOf(const QString& fileName) {
    return fileName.left(fileName.size() - ArchiveExtension.size());
}

voucher::OpenArchive openArchive(const QString& folder, const QString& fileName) {
    const QString name = archiveNameOf(fileName);
    return {folder + fileName, name, storage::settingsPath(folder, name)};
}

bool isFilteredCharacter(QChar c) {
    static const QString filtered = QStringLiteral("\"*/:<>?\\\u00B0\u00C7\u00D1\u00E7\u00F1");
    return filtered.contains(c);
}

std::optional<QChar> refusedNameCharacter(const QString& name) {
    static const QString separatorsAndWildcards = QStringLiteral("\"*/:<>?\\");
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        const bool control = u < 0x20 || (u >= 0x7F && u <= 0x9F) || u == 0x2028 || u == 0x2029;
        if (control || separatorsAndWildcards.contains(c))
            return c;
    }
    return std::nullopt;
}

bool nameTakenIgnoringCase(const QString& folder, const QString& fileName) {
    // Every letter is folded here, accented ones too, as the file systems
    // that ignore case fold them.
    const QStringList entries = QDir(folder).entryList(QDir::AllEntries | QDir::Hidden |
                                                       QDir::System | QDir::NoDotAndDotDot);
    return std::any_of(entries.cbegin(), entries.cend(), [&](const QString& entry) {
        return entry.compare(fileName, Qt::CaseInsensitive) == 0;
    });
}

bool sideFileNamesFit(const QString& folder, const QString& name) {
    // QSaveFile, which writes the settings and the logos, first writes a file
    // named after the final one plus "." and six random characters.
    constexpr qsizetype TemporarySuffix = 7;
    long limit = ::pathconf(QFile::encodeName(folder).constData(), _PC_NAME_MAX);
    if (limit <= 0)
        limit = NAME_MAX;
    const QString largestPosition = QString::number(storage::ArchiveFile::MaxRecords);
    const QString logo = QFileInfo(storage::logoPath(folder, name, largestPosition)).fileName();
    const QString settings = QFileInfo(storage::settingsPath(folder, name)).fileName();
    const QString archive = storage::trimControl(name) + ArchiveExtension;
    return QFile::encodeName(logo).size() + TemporarySuffix <= limit &&
           QFile::encodeName(settings).size() + TemporarySuffix <= limit &&
           QFile::encodeName(archive).size() <= limit;
}

Creation createArchive(const QString& folder, const QString& typedName) {
    using Outcome = Creation::Outcome;
    const QString name = storage::trimControl(typedName);
    if (name.isEmpty())
        return {Outcome::NoName};
    // A pasted name escapes the key filter; it must not lead the file out of
    // the program folder or give it a name other desktops cannot read.
    if (const std::optional<QChar> refused = refusedNameCharacter(name))
        return {Outcome::RefusedCharacter, *refused};
    // Its settings file and logos are named after it: a name whose longest
    // side file the file system cannot name would give an archive that never
    // keeps a logo or a default, while every save says all went well.
    if (!sideFileNamesFit(folder, name))
        return {Outcome::NameTooLong};
    const QString path = folder + name + ArchiveExtension;
    if (QFileInfo::exists(path) || nameTakenIgnoringCase(folder, name + ArchiveExtension))
        return {Outcome::NameInUse};
    // Created only if still absent.
    QFile archive(path);
    if (!archive.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return {QFileInfo::exists(path) ? Outcome::NameInUse : Outcome::Failed};
    archive.close();
    return {Outcome::Created};
}

bool deleteArchive(const QString& folder, const QString& fileName) {
    return QFile::remove(folder + fileName);
}

} // namespace scontrix::catalogue
