#include "storage/LogoPicture.h"

#include "LogoFiles.h"
#include "StorageTestSupport.h"
#include "TableRows.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace scontrix::storage {
namespace {

using scontrix::test::LogoCase;
using test::readFile;
using test::writeFile;

class LogoFile : public ::testing::TestWithParam<LogoCase> {
protected:
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Negozio_Foto_1.jpg"));
};

TEST_P(LogoFile, ReadsAsItsPictureAtItsOwnSizeOrFails) {
    const LogoCase& logo = GetParam();
    writeFile(path, logo.bytes());
    const Result<QImage> read = readPicture(path);
    if (!logo.readable()) {
        EXPECT_FALSE(read) << "a file that holds no picture is not an empty one";
        return;
    }
    ASSERT_TRUE(read) << read.error().toStdString();
    EXPECT_EQ(read->size(), logo.size);
    EXPECT_TRUE(scontrix::test::closeColours(read->pixelColor(2, 2), logo.colour))
        << read->pixelColor(2, 2).name().toStdString();
}

INSTANTIATE_TEST_SUITE_P(Storage, LogoFile, ::testing::ValuesIn(scontrix::test::LogoCases),
                         scontrix::test::RowName());

TEST(StorageLogoPicture, AMissingFileIsNoPictureAndNoFailure) {
    QTemporaryDir dir;
    const Result<QImage> read = readPicture(dir.filePath(QStringLiteral("manca.jpg")));
    ASSERT_TRUE(read);
    EXPECT_TRUE(read->isNull());
}

// Whatever stands where the picture should be and cannot be read is there all
// the same: the caller must not take it for a voucher without a logo.
TEST(StorageLogoPicture, AFileThatIsThereButCannotBeReadFails) {
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("cartella.jpg"));
    ASSERT_TRUE(QDir().mkpath(folder));
    EXPECT_FALSE(readPicture(folder)) << "a folder in the picture's place";

    // A FIFO would block the program in open() until someone wrote to it.
    const QString fifo = dir.filePath(QStringLiteral("fifo.jpg"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0644), 0);
    EXPECT_FALSE(readPicture(fifo));

    const QString locked = dir.filePath(QStringLiteral("chiuso.jpg"));
    writeFile(locked, scontrix::test::jpegOf({8, 8}, Qt::red));
    ASSERT_TRUE(QFile::setPermissions(locked, QFileDevice::WriteOwner));
    ASSERT_TRUE(QFile::setPermissions(dir.path(), QFile::ReadOwner | QFile::WriteOwner |
                                                      QFile::ExeOwner | QFile::ReadOther |
                                                      QFile::ExeOther));
    const int code = test::runAsOrdinaryUser([&] {
        const Result<QImage> read = readPicture(locked);
        return read ? (read->isNull() ? 1 : 2) : 0;
    });
    if (code == 125)
        GTEST_SKIP() << "root could not be given up";
    EXPECT_EQ(code, 0) << "1: taken for a missing file, 2: read all the same";
}

// 12 000 x 12 000 one-bit pixels fit in 18 MB and their PNG in a few
// kilobytes: Qt would decode them, but no logo is that large.
TEST(StorageLogoPicture, APictureBeyondAnyLogoIsRefusedFromItsHeader) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bomba.jpg"));
    QImage mono(12000, 12000, QImage::Format_Mono);
    mono.fill(0);
    writeFile(path, scontrix::test::encoded(mono, "PNG"));
    ASSERT_LT(readFile(path).size(), 100 * 1024);
    ASSERT_EQ(QImageReader(path).size(), QSize(12000, 12000));
    EXPECT_FALSE(readPicture(path));
}

// A header of a few bytes claiming more pixels than its file could ever fill
// is refused at once, as a bomb, not decoded for seconds into hundreds of
// megabytes of grey: a JPEG of a few hundred bytes claiming 10 000 x 10 000
// (within a logo's size), and 29 bytes of BMP the fuzzer found, whose format
// tells no size beforehand. A real picture of such a size, which takes room,
// still reads.
TEST(StorageLogoPicture, AFewBytesClaimingMillionsOfPixelsAreRefused) {
    QTemporaryDir dir;
    QByteArray jpeg = scontrix::test::encoded(scontrix::test::filled({16, 16}, Qt::green), "JPEG");
    const qsizetype frame = jpeg.indexOf("\xFF\xC0");
    ASSERT_GE(frame, 0) << "a baseline JPEG has its frame header";
    for (const qsizetype at : {frame + 5, frame + 7}) { // height, then width
        jpeg[at] = char(10000 >> 8);
        jpeg[at + 1] = char(10000 & 0xFF);
    }
    const QString claimed = dir.filePath(QStringLiteral("bomba.jpg"));
    writeFile(claimed, jpeg);
    ASSERT_EQ(QImageReader(claimed).size(), QSize(10000, 10000));
    EXPECT_FALSE(readPicture(claimed));

    const QString bmp = dir.filePath(QStringLiteral("bomba.bmp"));
    writeFile(bmp, QByteArray::fromBase64("Qk32AAAgAAAAADMAAAAIAAAACDgAyQEAGAAAVBg="));
    EXPECT_FALSE(readPicture(bmp));

    const QString real = dir.filePath(QStringLiteral("vero.bmp"));
    writeFile(real, scontrix::test::encoded(scontrix::test::filled({2500, 2000}, Qt::blue), "BMP"));
    const Result<QImage> read = readPicture(real);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->size(), QSize(2500, 2000));
}

// A logo is stored as JPEG, whose sides end at 65 535 pixels: a wider one
// would be shown and then never saved.
TEST(StorageLogoPicture, APictureAJpegCannotHoldIsRefused) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("striscia.bmp"));
    writeFile(path, scontrix::test::encoded(scontrix::test::filled({70000, 2}, Qt::red), "BMP"));
    ASSERT_EQ(QImageReader(path).size(), QSize(70000, 2));
    EXPECT_FALSE(readPicture(path));
}

TEST(StorageLogoPicture, SavesAJpegAtThePicturesOwnSizeOnWhite) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Logo_Ditta/Negozio_Foto_1.jpg"));
    QImage picture(300, 120, QImage::Format_ARGB32);
    picture.fill(Qt::transparent);
    picture.setPixelColor(150, 60, Qt::blue);
    ASSERT_TRUE(saveLogo(path, picture)) << "the folder is made on the way";

    const QByteArray bytes = readFile(path);
    EXPECT_TRUE(bytes.startsWith("\xff\xd8\xff")) << "JPEG, whatever the picture was";
    const QImage saved(path);
    EXPECT_EQ(saved.size(), QSize(300, 120));
    EXPECT_TRUE(scontrix::test::closeColours(saved.pixelColor(10, 10), Qt::white))
        << "no transparency in a JPEG: the picture lies on white";

    EXPECT_FALSE(saveLogo(path, QImage())) << "nothing to save";
    EXPECT_EQ(readFile(path), bytes);
}

} // namespace
} // namespace scontrix::storage
