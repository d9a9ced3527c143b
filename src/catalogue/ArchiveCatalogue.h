#pragma once

#include "voucher/OpenArchive.h"

#include <QString>
#include <QStringList>
#include <optional>

// The archives of the program folder: how they are found, ordered, counted and
// named, and which names a new archive may have.
namespace scontrix::catalogue {

inline const QString ArchiveExtension = QStringLiteral(".eur");

// The file names (with extension) of the archives directly in `folder`: files
// whose names end in ".eur", hidden ones included, subfolders never; in
// archiveOrder. A folder that cannot be read gives what could be read.
QStringList listArchiveFiles(const QString& folder);

// The list's order: a-z compare as A-Z, every other character by its code,
// so accented letters keep their case and sort after the plain ones.
bool archiveOrder(const QString& a, const QString& b);

// "Sono stati creati N archivi." — one form for every number.
QString countText(qsizetype count);

// The archive's name: its file name without the four characters of ".eur".
QString archiveNameOf(const QString& fileName);

// The archive `fileName` (exactly as listed) of the program folder `folder`
// (with trailing separator), with its name and settings file, as the editor
// opens it.
voucher::OpenArchive openArchive(const QString& folder, const QString& fileName);

// The characters the name field refuses as they are typed.
bool isFilteredCharacter(QChar c);

// The first character of `name` a new archive's name may not hold, or none:
// a control character (tabulation, line break, …) or one of the eight that
// are path separators or wildcards on some desktop (" * / : < > ? \), so that
// the file can only land in the program folder under a name every desktop
// accepts. Letters such as ç or ñ, which only typing keeps out, are fine in a
// pasted name ("Peña" is a real shop), and so is "|".
std::optional<QChar> refusedNameCharacter(const QString& name);

// True when every file the program keeps beside an archive named `name` in
// `folder` can be named on that folder's file system. The longest is the logo
// of the largest position an archive can hold, which a save first writes under
// a temporary name a little longer still. Names are counted in the bytes the
// file system stores (UTF-8, where an accented letter takes two), not in
// characters: 250 typed letters may well need 500 bytes.
bool sideFileNamesFit(const QString& folder, const QString& name);

// True when `folder` already holds an entry named `fileName` in some other
// letter case ("saldi.eur" or "Saldi.EUR" for "Saldi.eur"). Two such archives
// would share their settings file and logo pictures wherever the file system
// ignores case, and a copy onto a USB stick would keep only one of them.
bool nameTakenIgnoringCase(const QString& folder, const QString& fileName);

// What creating an archive came to.
struct Creation {
    enum class Outcome {
        Created,
        NoName,
        RefusedCharacter, // `refused` is the first one
        NameTooLong,      // a side file could not be named (sideFileNamesFit)
        NameInUse,        // in this or in another letter case, or made meanwhile
        Failed,           // the file system refused the file
    };
    Outcome outcome;
    QChar refused = {};
};

// Creates the empty archive of `name` (typed, trimmed here) in `folder` (with
// trailing separator), only if the name is free: an archive another copy of
// the program has just made is never truncated.
Creation createArchive(const QString& folder, const QString& name);

// Removes the archive `fileName` (exactly as listed) of `folder`. Only the
// archive goes: its settings file and logo pictures stay, so an archive
// created again under the same name finds them. False when it could not.
bool deleteArchive(const QString& folder, const QString& fileName);

} // namespace scontrix::catalogue
