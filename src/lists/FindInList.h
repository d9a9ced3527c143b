#pragma once

#include "lists/ListRows.h"

#include <QString>
#include <optional>

namespace scontrix::lists {

// The find of the list windows. `findText` is the text of the find field with
// A-Z turned into a-z (nothing else changed, not trimmed). When it differs
// from the previous find's text the search starts at the first entry and tests
// it first; when it is the same (find next) it starts at the selected entry and
// tests it last, so a single match stays selected. The search wraps from the
// last entry to the first. No selection counts as the first entry selected.
//
// Returns the entry to select, or none when nothing matches (the selection
// then stays where it is). The list must not be empty.
std::optional<qsizetype> findInList(const ListRows& rows, std::optional<qsizetype> selected,
                                    const QString& findText, const QString& lastFindText);

// A-Z turned into a-z, nothing else.
QString foldAsciiLower(const QString& text);

} // namespace scontrix::lists
