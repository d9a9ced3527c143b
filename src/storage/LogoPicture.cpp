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

// Qt refuses to decode a picture that needs more than its allocation limit,
// by default far less than a scanner's logo takes. The limit is the process's
// and only logos are decoded from files, so it is raised once to what the
// largest logo takes at 8 bytes a pixel (a 16-bit PNG), in megabytes.
void allowLogoSizedPictures() {
    static const bool raised = [] {
        QImageReader::setAllocationLimit(static_cast<int>(MaxLogoPixels * 8 / (1024 * 1024)));
        return true;
    }();
    Q_UNUSED(raised);
}

// JPEG has no transparency: a picture that has some is laid on white first.
// An opaque one is encoded as it is, without a copy of a scanner's pixels.
QImage onWhite(const QImage& image) {
    if (!image.hasAlphaChannel())
        return image;
    QImage opaque(image.size(), QImage::Format_RGB32);
    opaque.fill(Qt::white);
    QPainter painter(&opaque);
    painter.drawImage(0, 0, image);
    return opaque;
}

bool fitsALogo(QSize size) {
    return qint64(size.width()) * size.height() <= MaxLogoPixels && size.width() <= MaxLogoSide &&
           size.height() <= MaxLogoSide;
}

QString tooLarge(QSize size) {
    return QStringLiteral("the picture has %1 x %2 pixels, more than a logo can have")
        .arg(size.width())
        .arg(size.height());
}

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
    const QFileInfo info(path);
    if (!info.exists())
        return QImage();
    // A FIFO or a device would hold the program in open(), a folder opens
    // as nothing: only a regular file can be a picture.
    if (!info.isFile())
        return Failure{QStringLiteral("%1 is not a file").arg(path)};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return Failure{file.errorString()};
    return decodePicture(file);
}

Result<QImage> decodePicture(QIODevice& device) {
    allowLogoSizedPictures();
    // Decode by content, not by extension: a ".jpg" may well hold a bitmap.
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    // The header tells the size; a few bytes may claim billions of pixels.
    if (const QSize size = reader.size(); size.isValid() && !fitsALogo(size))
        return Failure{tooLarge(size)};
    QImage image = reader.read();
    if (image.isNull())
        return Failure{reader.errorString()};
    // Not every format tells its size before decoding.
    if (!fitsALogo(image.size()))
        return Failure{tooLarge(image.size())};
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
    if (!onWhite(image).save(&buffer, "JPEG", JpegQuality))
        return Failure{QStringLiteral("cannot encode the picture as JPEG")};
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
        file.write(bytes) != bytes.size() || !file.commit())
        return Failure{file.errorString()};
    return {};
}

} // namespace scontrix::storage
