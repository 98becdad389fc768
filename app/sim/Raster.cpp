#include "sim/Raster.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <algorithm>
#include <vector>

namespace Raster {

namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;

// Source column of every destination column of the visible span (-1 beyond the source).
std::vector<int> sourceColumns(int destLeft, int destWidth, int from, int to, int srcWidth,
                               int available) {
    std::vector<int> columns(static_cast<size_t>(to - from));
    for (int x = from; x < to; ++x) {
        const int sx = static_cast<int>(static_cast<int64_t>(x - destLeft) * srcWidth / destWidth);
        columns[static_cast<size_t>(x - from)] = sx < available ? sx : -1;
    }
    return columns;
}

template <typename Combine>
void blitRows(QImage& dest, const QRect& destRect, const QRect& visible, const QImage& src,
              QSize srcSize, Combine combine) {
    const std::vector<int> columns =
        sourceColumns(destRect.left(), destRect.width(), visible.left(), visible.right() + 1,
                      srcSize.width(), src.width());
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const int sy = static_cast<int>(static_cast<int64_t>(y - destRect.top()) *
                                        srcSize.height() / destRect.height());
        if (sy >= src.height()) continue;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy));
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(y)) + visible.left();
        for (size_t i = 0; i < columns.size(); ++i) {
            if (columns[i] >= 0) out[i] = combine(out[i], in[columns[i]]);
        }
    }
}

} // namespace

void stretchBlt(QImage& dest, const QRect& destRect, const QImage& src, QSize srcSize, Op op) {
    if (dest.isNull() || src.isNull() || destRect.width() <= 0 || destRect.height() <= 0 ||
        srcSize.width() <= 0 || srcSize.height() <= 0)
        return;
    const QRect visible = destRect.intersected(dest.rect());
    if (visible.isEmpty()) return;
    const QImage source =
        src.format() == QImage::Format_RGB32 ? src : src.convertToFormat(QImage::Format_RGB32);
    if (dest.format() != QImage::Format_RGB32) dest = dest.convertToFormat(QImage::Format_RGB32);
    switch (op) {
    case Op::Copy:
        blitRows(dest, destRect, visible, source, srcSize, [](QRgb, QRgb s) { return s; });
        break;
    case Op::Or:
        blitRows(dest, destRect, visible, source, srcSize,
                 [](QRgb d, QRgb s) { return 0xFF000000u | ((d | s) & RgbMask); });
        break;
    case Op::And:
        blitRows(dest, destRect, visible, source, srcSize,
                 [](QRgb d, QRgb s) { return 0xFF000000u | (d & s & RgbMask); });
        break;
    }
}

QImage convertWhiteToBlack(const QImage& src) {
    QImage out = src.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x)
            if ((line[x] & RgbMask) == RgbMask) line[x] = 0xFF000000u;
    }
    return out;
}

QImage loadPicture(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).isFile()) return {};
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    // A header may claim any size (60000 x 60000 is 14 GB as RGB32): the size is checked before
    // anything is decoded, and the decoder itself is held to the same bound.
    reader.setAllocationLimit(MaxPictureMegabytes);
    const QSize size = reader.size();
    if (size.isValid() && !fitsInMemory(size)) return {};
    QImage image = reader.read();
    if (image.isNull() || !fitsInMemory(image.size())) return {};
    return image.convertToFormat(QImage::Format_RGB32);
}

bool fitsInMemory(QSize size) {
    if (size.width() <= 0 || size.height() <= 0) return false;
    if (size.width() > MaxPictureSide || size.height() > MaxPictureSide) return false;
    const qint64 bytes = qint64(size.width()) * size.height() * 4;
    return bytes <= qint64(MaxPictureMegabytes) * 1024 * 1024;
}

bool saveBitmap(const QImage& image, const QString& path) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    // Written beside the target and renamed over it when complete, so a full disk never leaves
    // a truncated mask that later runs would load.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (!image.save(&file, "BMP")) return false; // the destructor drops the partial file
    return file.commit();
}

int32_t toColorValue(QRgb rgb) {
    return static_cast<int32_t>(qRed(rgb) | (qGreen(rgb) << 8) | (qBlue(rgb) << 16));
}

QColor toQColor(int32_t bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

int32_t pixelValue(const QImage& image, int x, int y) {
    if (!image.valid(x, y)) return 0;
    return toColorValue(image.pixel(x, y));
}

} // namespace Raster
