#pragma once

#include <QString>
#include <QStringList>

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

// The characters the name field refuses as they are typed.
bool isFilteredCharacter(QChar c);

// A name a new archive may take: none of the filtered characters (which
// include both path separators) and no control character, so the file can
// only land in the program folder, and under a name every desktop accepts.
bool isAcceptableName(const QString& name);

} // namespace scontrix::catalogue
