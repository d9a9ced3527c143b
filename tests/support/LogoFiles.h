#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QFile>
#include <QImage>
#include <QSize>
#include <QTemporaryDir>
#include <QtEndian>
#include <ostream>

// Logo files of every kind a shop may have in its logo folder, made in the
// test: a scanner's 9000 x 9000 JPEG, a PNG under a ".jpg" name, damaged
// JPEGs, bytes that are no picture, and pictures that claim far more pixels
// than their bytes could ever hold.
namespace scontrix::test {

inline QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

inline QImage filled(QSize size, const QColor& colour) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

inline QByteArray jpegOf(QSize size, const QColor& colour) {
    return encoded(filled(size, colour), "JPEG");
}

// A scanner's logo: 9000 x 9000 pixels of one blue, about a megabyte as JPEG,
// more than Qt decodes by default. Made once per test executable (encoding
// takes seconds) into a file of its own.
inline constexpr QSize LargeLogoSize{9000, 9000};
inline const QColor LargeLogoColour{0, 0, 255};
inline QString largeLogoFile() {
    static const QTemporaryDir dir;
    static const QString path = [] {
        const QString file = dir.filePath(QStringLiteral("scansione.jpg"));
        QFile out(file);
        if (out.open(QIODevice::WriteOnly))
            out.write(jpegOf(LargeLogoSize, LargeLogoColour));
        return file;
    }();
    return path;
}
inline QByteArray largeLogo() {
    QFile file(largeLogoFile());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

inline const QColor PngLogoColour{0, 160, 0};
inline QByteArray pngLogo() {
    return encoded(filled({300, 200}, PngLogoColour), "PNG");
}

// Cut in the middle of its picture data: the rows before the cut are there.
inline const QColor CutLogoColour{255, 200, 0};
inline QByteArray jpegCutInItsData() {
    const QByteArray whole = jpegOf({200, 200}, CutLogoColour);
    return whole.left(whole.size() / 2);
}

// Cut before its picture data begins: only part of the header is there.
inline QByteArray jpegCutInItsHeader() {
    return jpegOf({200, 200}, Qt::green).left(120);
}

inline QByteArray notAPicture() {
    return QByteArrayLiteral("questo non \xc3\xa8 un logo, ma un appunto salvato per sbaglio\r\n");
}

// A small JPEG whose frame header claims 65 000 x 65 000 pixels.
inline QByteArray jpegBomb() {
    QByteArray bytes = jpegOf({16, 16}, Qt::red);
    const qsizetype frame = bytes.indexOf(QByteArrayLiteral("\xff\xc0"));
    if (frame < 0)
        return {};
    qToBigEndian<quint16>(65000, bytes.data() + frame + 5); // height
    qToBigEndian<quint16>(65000, bytes.data() + frame + 7); // width
    return bytes;
}

// CRC-32 of PNG chunks (ISO 3309), bit by bit: the tests write a few chunks.
inline quint32 pngCrc(const char* data, qsizetype size) {
    quint32 crc = 0xffffffffu;
    for (qsizetype i = 0; i < size; ++i) {
        crc ^= static_cast<quint8>(data[i]);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

// A small PNG whose header, checksum and all, claims 100 000 x 100 000 pixels.
inline QByteArray pngBomb() {
    QByteArray bytes = encoded(filled({4, 4}, Qt::red), "PNG");
    // Signature (8), IHDR length (4); the chunk's type and data, then its CRC.
    constexpr qsizetype Type = 12, Data = 16, DataSize = 13;
    qToBigEndian<quint32>(100000, bytes.data() + Data);
    qToBigEndian<quint32>(100000, bytes.data() + Data + 4);
    qToBigEndian<quint32>(pngCrc(bytes.constData() + Type, 4 + DataSize),
                          bytes.data() + Data + DataSize);
    return bytes;
}

// One logo file of the table: what is on disk, and what the editor shows.
struct LogoCase {
    const char* name;
    QByteArray (*bytes)();
    QSize size;    // the picture's own size; empty when it cannot be read
    QColor colour; // its colour at the top left
    bool readable() const { return !size.isEmpty(); }
};
inline void PrintTo(const LogoCase& c, std::ostream* os) {
    *os << c.name;
}
inline const LogoCase LogoCases[] = {
    {"LargeJpeg", largeLogo, LargeLogoSize, LargeLogoColour},
    {"PngUnderAJpegName", pngLogo, {300, 200}, PngLogoColour},
    {"JpegCutInItsData", jpegCutInItsData, {200, 200}, CutLogoColour},
    {"JpegCutInItsHeader", jpegCutInItsHeader, {}, {}},
    {"NotAPicture", notAPicture, {}, {}},
    {"JpegBomb", jpegBomb, {}, {}},
    {"PngBomb", pngBomb, {}, {}},
};

// The colours of two pictures are alike, as JPEG keeps them.
inline bool closeColours(const QColor& a, const QColor& b) {
    return qAbs(a.red() - b.red()) < 24 && qAbs(a.green() - b.green()) < 24 &&
           qAbs(a.blue() - b.blue()) < 24;
}

} // namespace scontrix::test
