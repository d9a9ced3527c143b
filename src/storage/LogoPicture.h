#pragma once

#include "storage/Result.h"

#include <QImage>
#include <QString>

namespace scontrix::storage {

// Reading and writing the logo picture of a voucher (a JPEG beside the
// archive, or any JPEG/BMP/PNG file the shopkeeper picks).
//
// A read gives the picture; a null image when there is none to read (the file
// is missing or unreadable, or its folder could not be made), so a window
// shows its placeholder; and fails when the file opens but holds no picture,
// so a window may keep what it shows.

// Reads any picture file, recognised by its content.
Result<QImage> readPicture(const QString& path);

// Makes the picture folder (with any missing parent) before looking for the
// file, as every load and save does.
Result<QImage> loadLogo(const QString& path);

// Encodes `image` as JPEG and replaces the file at `path` as a whole.
Result<> saveLogo(const QString& path, const QImage& image);

} // namespace scontrix::storage
