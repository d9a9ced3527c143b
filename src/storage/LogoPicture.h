#pragma once

#include <QImage>
#include <QString>

namespace scontrix::storage {

// Reading and writing the logo picture of a voucher (a JPEG beside the
// archive, or any JPEG/BMP/PNG file the shopkeeper picks).
struct LogoLoad {
    enum class Outcome {
        Loaded,      // `image` holds the picture
        Unavailable, // missing, unreadable, or its folder could not be made
        Undecodable, // the file opens but is not a picture
    };
    Outcome outcome;
    QImage image;
};

// Reads any picture file, recognised by its content.
LogoLoad readPicture(const QString& path);

// Makes the picture folder (with any missing parent) before looking for the
// file, as every load and save does.
LogoLoad loadLogo(const QString& path);

// Encodes `image` as JPEG and replaces the file at `path` as a whole.
bool saveLogo(const QString& path, const QImage& image);

} // namespace scontrix::storage
