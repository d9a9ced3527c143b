#include "storage/LogoPicture.h"

#include "storage/PlainFile.h"

#include <QBuffer>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QPainter>
#include <QSaveFile>
#include <algorithm>

namespace scontrix::storage {

namespace {
constexpr int JpegQuality = 92;

// Qt refuses to decode a picture that needs more than its allocation limit,
// by default far less than a scanner's logo takes. The limit is the process's
// and only logos are decoded from files, so it is set for each reading: what
// the largest logo takes at 8 bytes a pixel (a 16-bit PNG), but never more
// than the file could fill (see fillable() below), so that a few bytes whose
// format tells no size beforehand cannot make Qt allocate and paint
// gigabytes of grey. In megabytes.
int allocationLimitFor(qint64 bytes);

class LogoSizedPictures {
public:
    explicit LogoSizedPictures(qint64 bytes) : previous_(QImageReader::allocationLimit()) {
        QImageReader::setAllocationLimit(allocationLimitFor(bytes));
    }
    ~LogoSizedPictures() { QImageReader::setAllocationLimit(previous_); }
    LogoSizedPictures(const LogoSizedPictures&) = delete;
    LogoSizedPictures& operator=(const LogoSizedPictures&) = delete;

private:
    int previous_;
};

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

// No real picture packs more pixels into a byte than this: a JPEG needs bits
// for every 8 x 8 block, deflate (PNG) shrinks at most about a thousand to
// one, run lengths (BMP) 128 to one. Small pictures always pass.
constexpr qint64 MaxPixelsPerByte = 2048;
constexpr qint64 AlwaysFillable = 4'000'000;

bool fillable(QSize size, qint64 bytes) {
    const qint64 pixels = qint64(size.width()) * size.height();
    return pixels <= AlwaysFillable || bytes <= 0 || pixels <= bytes * MaxPixelsPerByte;
}

int allocationLimitFor(qint64 bytes) {
    constexpr qint64 Mb = 1024 * 1024;
    const qint64 most = MaxLogoPixels * 8 / Mb;
    if (bytes <= 0)
        return int(most);
    const qint64 pixels =
        std::max(AlwaysFillable, std::min(MaxLogoPixels, bytes * MaxPixelsPerByte));
    return int(std::clamp<qint64>(pixels * 8 / Mb + 1, 1, most));
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
    // Opened as the settings and the store are: a FIFO or a device would hold
    // the program in open(), a folder opens as nothing.
    const Result<std::optional<QByteArray>> bytes = readPlainFile(path);
    if (!bytes)
        return Failure{bytes.error()};
    if (!bytes->has_value())
        return QImage();
    QByteArray data = **bytes;
    QBuffer device(&data);
    device.open(QIODevice::ReadOnly);
    return decodePicture(device);
}

Result<QImage> decodePicture(QIODevice& device) {
    const LogoSizedPictures limit(device.size());
    // Decode by content, not by extension: a ".jpg" may well hold a bitmap.
    QImageReader reader(&device);
    reader.setAutoTransform(true);
    // The header tells the size; a few bytes may claim billions of pixels,
    // or hundreds of millions that no file of theirs could fill (a bomb,
    // which would take seconds and gigabytes to decode as grey).
    if (const QSize size = reader.size();
        size.isValid() && (!fitsALogo(size) || !fillable(size, device.size())))
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
