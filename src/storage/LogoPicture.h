#pragma once

#include "storage/Result.h"

#include <QImage>
#include <QString>

class QIODevice;

namespace scontrix::storage {

// Reading and writing the logo picture of a voucher (a JPEG beside the
// archive, or any JPEG/BMP/PNG file the shopkeeper picks).
//
// A read gives the picture at its own size; a null image when there is none
// (no file by that name, or its folder could not be made), so a window shows
// its placeholder; and fails when something is there but gives no picture: a
// file that cannot be opened or is not a regular file, bytes that are no
// picture, or a picture larger than any logo or than a JPEG can hold. Such a
// file is still the
// voucher's: a window must neither show another picture for it nor write over
// it with one.

// The most pixels a logo may have: a 9000 x 9000 scan, or a phone's 108
// megapixel photo, is a picture; anything claiming more is taken for a
// decompression bomb and refused from its header, before memory is taken.
inline constexpr qint64 MaxLogoPixels = qint64(1) << 27;
// The longest side a JPEG, and so a stored logo, can have.
inline constexpr int MaxLogoSide = 65535;

// Reads any picture file, recognised by its content.
Result<QImage> readPicture(const QString& path);

// Decodes the picture `device` holds, as readPicture does with a file.
Result<QImage> decodePicture(QIODevice& device);

// Makes the picture folder (with any missing parent) before looking for the
// file, as every load and save does.
Result<QImage> loadLogo(const QString& path);

// Encodes `image` as JPEG and replaces the file at `path` as a whole; on
// failure the file is as it was.
Result<> saveLogo(const QString& path, const QImage& image);

} // namespace scontrix::storage
