// The logo reader on whatever a logo file may hold: damaged pictures, bytes
// that are none, headers that claim more pixels than any logo has. A picture
// it gives is never larger than a logo may be (nor wider than a JPEG), and
// what the program writes for it reads back at the same size.
#include "FuzzCheck.h"
#include "storage/LogoPicture.h"

#include <QBuffer>
#include <QTemporaryDir>
#include <cstdint>

using namespace scontrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QByteArray bytes =
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer device(&bytes);
    device.open(QIODevice::ReadOnly);
    const storage::Result<QImage> picture = storage::decodePicture(device);
    if (!picture) {
        FUZZ_CHECK(!picture.error().isEmpty());
        return 0;
    }
    FUZZ_CHECK(!picture->isNull());
    FUZZ_CHECK(qint64(picture->width()) * picture->height() <= storage::MaxLogoPixels);
    FUZZ_CHECK(picture->width() <= storage::MaxLogoSide &&
               picture->height() <= storage::MaxLogoSide);

    // Encoding a picture of many millions of pixels takes seconds: the round
    // trip is checked on those a fuzzer meets by the thousand.
    if (qint64(picture->width()) * picture->height() > 4'000'000)
        return 0;
    static const QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Negozio_Foto_1.jpg"));
    FUZZ_CHECK(storage::saveLogo(path, *picture));
    const storage::Result<QImage> stored = storage::readPicture(path);
    FUZZ_CHECK(stored && stored->size() == picture->size());
    return 0;
}
