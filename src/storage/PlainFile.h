#pragma once

#include "storage/Result.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace scontrix::storage {

// The whole content of a small file of the program's own (a settings file,
// the password store), or nothing when there is no file of that name.
// Anything else there that cannot be read fails, with the reason: a file
// without read permission or whose reading fails, and whatever is not a plain
// file (a folder, a FIFO, a socket, a device). Such a thing is never opened in
// a way that could wait, so a FIFO put in place of a file cannot stop the
// program.
Result<std::optional<QByteArray>> readPlainFile(const QString& path);

} // namespace scontrix::storage
