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

Result<QImage> loadLogo(const QString& path) {
    if (!makeFolderOf(path))
        return QImage();
    return readPicture(path);
}

Result<QImage> readPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    // Decode by content, not by extension: a ".jpg" may well hold a bitmap.
    QImageReader reader(&file);
    reader.setAutoTransform(true);
    QImage image = reader.read();
    if (image.isNull())
        return Failure{reader.errorString()};
    return image;
}

Result<> saveLogo(const QString& path, const QImage& image) {
    if (image.isNull())
        return Failure{QStringLiteral("there is no picture to save")};
    if (!makeFolderOf(path))
        return Failure{QStringLiteral("cannot make the folder of ") + path};
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
        return Failure{QStringLiteral("cannot encode the picture as JPEG")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        return Failure{file.errorString()};
    return {};
}

} // namespace scontrix::storage
