#include "storage/LogoPicture.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>

namespace scontrix::storage {

namespace {
constexpr int JpegQuality = 92;

bool makeFolderOf(const QString& path) {
    return QDir().mkpath(QFileInfo(path).absolutePath());
}
} // namespace

LogoLoad loadLogo(const QString& path) {
    if (!makeFolderOf(path))
        return {LogoLoad::Outcome::Unavailable, {}};
    return readPicture(path);
}

LogoLoad readPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {LogoLoad::Outcome::Unavailable, {}};
    // Decode by content, not by extension: a ".jpg" may well hold a bitmap.
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return {LogoLoad::Outcome::Undecodable, {}};
    return {LogoLoad::Outcome::Loaded, image};
}

bool saveLogo(const QString& path, const QImage& image) {
    if (image.isNull() || !makeFolderOf(path))
        return false;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    // JPEG has no transparency: lay the picture on white first.
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    {
        QPainter painter(&opaque);
        painter.drawImage(0, 0, image);
    }
    if (!opaque.save(&buffer, "JPEG", JpegQuality))
        return false;
    QSaveFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) &&
           file.write(bytes) == bytes.size() && file.commit();
}

} // namespace scontrix::storage
