// Only whole pictures are decoded: every shipped picture and files of other writers (real LZW
// codes of growing width, a progressive JPEG, a run-length bitmap) pass; cut copies of each, and
// headers that do not fit their data, are refused before a decoder sees them. Damage the walk
// cannot see is caught by the decoder's own warning.
#include "TestAppFolder.h"
#include "sim_test_support.h"

#include "sim/PictureCheck.h"
#include "sim/Raster.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QByteArray encoded(const QImage& img, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

QImage gradient(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x * 255 / size.width(), y * 255 / size.height(), 90));
    return img;
}

// The shipped pictures, the files of other writers, and a PNG.
std::vector<std::pair<QString, QByteArray>> wholePictures() {
    std::vector<std::pair<QString, QByteArray>> all;
    const QDir bin(TestAppFolder::binDir());
    all.emplace_back("hello.bmp", bytesOf(bin.filePath("hello.bmp")));
    for (const char* folder : {"back", "targetw", "sightw"})
        for (const QString& name : QDir(bin.filePath(folder)).entryList(QDir::Files))
            all.emplace_back(name, bytesOf(bin.filePath(folder + ('/' + name))));
    const QDir data(TestAppFolder::dataDir() + "/pictures");
    for (const QString& name : data.entryList(QDir::Files))
        all.emplace_back(name, bytesOf(data.filePath(name)));
    all.emplace_back("gradient.png", encoded(gradient({33, 21}), "PNG"));
    return all;
}

// A 4 x 2 run-length bitmap with a palette of red and green, from its stream (zeros included).
template <size_t N> QByteArray rle8(const char (&codes)[N]) {
    const QByteArray stream(codes, N - 1);
    QByteArray bmp(14 + 40 + 8, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    qToLittleEndian<quint32>(quint32(bmp.size() + stream.size()), bmp.data() + 2);
    qToLittleEndian<quint32>(quint32(bmp.size()), bmp.data() + 10);
    qToLittleEndian<quint32>(40, bmp.data() + 14);
    qToLittleEndian<qint32>(4, bmp.data() + 18);
    qToLittleEndian<qint32>(2, bmp.data() + 22);
    qToLittleEndian<quint16>(1, bmp.data() + 26);
    qToLittleEndian<quint16>(8, bmp.data() + 28);
    qToLittleEndian<quint32>(1, bmp.data() + 30);                    // RLE8
    qToLittleEndian<quint32>(2, bmp.data() + 46);                    // two colours
    const char palette[] = {0, 0, char(255), 0, 0, char(255), 0, 0}; // B G R x: red, green
    std::copy(palette, palette + 8, bmp.data() + 54);
    return bmp + stream;
}

// A 4 x 4 GIF of two colours from 3-bit LZW codes (code size 2: clear 4, end 5).
QByteArray gif4x4(const std::vector<unsigned>& codes) {
    QByteArray packed;
    unsigned acc = 0;
    int bits = 0;
    for (const unsigned code : codes)
        for (acc |= code << bits, bits += 3; bits >= 8; bits -= 8, acc >>= 8)
            packed += char(acc & 0xFF);
    packed += char(acc & 0xFF);
    return QByteArray("GIF89a\x04\0\x04\0\x80\0\0\xff\0\0\0\xff\0\x2c\0\0\0\0\x04\0\x04\0\0\x02",
                      30) +
           char(packed.size()) + packed + QByteArray("\0\x3b", 2);
}

int othersReceived = 0;
void otherHandler(QtMsgType, const QMessageLogContext&, const QString&) {
    ++othersReceived;
}

} // namespace

TEST(PictureCheck, WholePicturesPassAndDecodeAsQtReadsThem) {
    ensureGuiApp();
    for (const auto& [name, bytes] : wholePictures()) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_FALSE(bytes.isEmpty());
        const PictureCheck::Verdict verdict = PictureCheck::check(bytes);
        EXPECT_TRUE(verdict.whole()) << verdict.fault;
        const QImage plain = QImage::fromData(bytes).convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(verdict.size, plain.size());
        EXPECT_TRUE(Raster::decodePicture(bytes) == plain);
    }
}

TEST(PictureCheck, EveryCutCopyIsRefused) {
    ensureGuiApp();
    for (const auto& [name, bytes] : wholePictures()) {
        const qsizetype n = bytes.size();
        for (const qsizetype keep : {qsizetype(0), qsizetype(1), qsizetype(12), qsizetype(40),
                                     n / 10, n / 3, n / 2, n - 100, n - 2, n - 1}) {
            if (keep < 0) continue;
            SCOPED_TRACE(name.toStdString() + " cut to " + std::to_string(keep));
            const QByteArray cut = bytes.left(keep);
            EXPECT_FALSE(PictureCheck::check(cut).whole());
            EXPECT_TRUE(Raster::decodePicture(cut).isNull());
        }
    }
}

TEST(PictureCheck, BitmapHeadersThatDoNotFitTheirDataAreRefused) {
    ensureGuiApp();
    const QByteArray whole = encoded(gradient({7, 5}), "BMP"); // 24 bits, rows padded
    ASSERT_TRUE(PictureCheck::check(whole).whole());
    struct Damage {
        const char* what;
        int offset, bytes;
        qint64 value;
    };
    const Damage damages[] = {
        {"one row more than the file holds", 22, 4, 6},
        {"wider than its rows", 18, 4, 9},
        {"negative width", 18, 4, -7},
        {"no height", 22, 4, 0},
        {"data offset past the end", 10, 4, whole.size() + 1},
        {"data offset inside the header", 10, 4, 20},
        {"info header of no known size", 14, 4, 41},
        {"two planes", 26, 2, 2},
        {"seven bits a pixel", 28, 2, 7},
        {"run-length codes on 24 bits", 30, 4, 1},
    };
    for (const Damage& d : damages) {
        SCOPED_TRACE(d.what);
        QByteArray bmp = whole;
        if (d.bytes == 4)
            qToLittleEndian<qint32>(qint32(d.value), bmp.data() + d.offset);
        else
            qToLittleEndian<qint16>(qint16(d.value), bmp.data() + d.offset);
        EXPECT_FALSE(PictureCheck::check(bmp).whole());
        EXPECT_TRUE(Raster::decodePicture(bmp).isNull());
    }
    // Rows stored top-down (a negative height) are as whole as bottom-up ones.
    QByteArray topDown = whole;
    qToLittleEndian<qint32>(-5, topDown.data() + 22);
    EXPECT_TRUE(Raster::decodePicture(topDown) == gradient({7, 5}).mirrored());
}

TEST(PictureCheck, RunLengthBitmapsRunToTheirEndCode) {
    ensureGuiApp();
    // Bottom row first: four green; end of line; in the top row the pen moves two pixels on,
    // then two green; end of picture.
    const char stream[] = "\x04\x01\0\0\0\x02\x02\0\x02\x01\0\x01";
    const QImage image = Raster::decodePicture(rle8(stream));
    ASSERT_FALSE(image.isNull());
    // The two pixels the pen skipped hold palette entry 0, never whatever memory held.
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 255, 0));

    EXPECT_FALSE(PictureCheck::check(rle8("\x04\x01\0\0\0\x02\x02\0\x02\x01")).whole());
    EXPECT_FALSE(PictureCheck::check(rle8("\0\x08\x01\x01")).whole()); // literal past the end
    EXPECT_FALSE(PictureCheck::check(rle8("\x04\x01\0\0\x04\x01\0\0")).whole()); // no end code
}

TEST(PictureCheck, JpegAndGifDamageInsideTheData) {
    ensureGuiApp();
    // A JPEG missing part of its scan still walks to its end marker; libjpeg fills the rest
    // with grey and warns. The warning refuses it and goes no further than the read.
    const QByteArray jpeg = encoded(gradient({64, 64}), "JPEG");
    const qsizetype scan = jpeg.indexOf("\xff\xda");
    QByteArray hollow = jpeg;
    hollow.remove(scan + 40, (jpeg.size() - scan) / 2);
    EXPECT_TRUE(PictureCheck::check(hollow).whole());
    const QtMessageHandler before = qInstallMessageHandler(otherHandler);
    EXPECT_TRUE(Raster::decodePicture(hollow).isNull());
    EXPECT_EQ(othersReceived, 0);
    qWarning("after the read");
    EXPECT_EQ(othersReceived, 1); // the handler that was there is given back
    qInstallMessageHandler(before);
    QByteArray longSegment = jpeg;
    qToBigEndian<quint16>(0xFFF0, longSegment.data() + 4); // APP0 longer than the file
    EXPECT_FALSE(PictureCheck::check(longSegment).whole());

    // Sixteen literals with a clear every two codes (the width stays 3) fill the frame; codes
    // that end after two pixels, or name an entry not yet made, do not.
    std::vector<unsigned> literals;
    for (int i = 0; i < 8; ++i)
        literals.insert(literals.end(), {4, unsigned(i % 2), unsigned(1 - i % 2)});
    literals.push_back(5);
    EXPECT_EQ(Raster::decodePicture(gif4x4(literals)).pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_FALSE(PictureCheck::check(gif4x4({4, 0, 1, 5})).whole());
    EXPECT_FALSE(PictureCheck::check(gif4x4({4, 0, 7, 5})).whole());
}

TEST(PictureCheck, FormatsWhoseWholenessCannotBeToldAreRefused) {
    ensureGuiApp();
    for (const char* format : {"PPM", "XPM", "XBM"}) {
        const QByteArray bytes = encoded(gradient({8, 8}), format);
        ASSERT_FALSE(QImage::fromData(bytes).isNull()) << format;
        EXPECT_TRUE(Raster::decodePicture(bytes).isNull()) << format;
    }
    EXPECT_TRUE(Raster::decodePicture(QByteArray(300, '\x7f')).isNull());
}
