#include "sim/Raster.h"

#include "sim/PictureCheck.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QSaveFile>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace Raster {

namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;

// A picture file larger than the largest decoded picture is not one the simulator takes.
constexpr qint64 MaxPictureFileBytes = qint64(MaxPictureMegabytes) * 1024 * 1024;

// Counts the warnings printed on this thread while it lives. A damaged JPEG still "decodes":
// libjpeg fills what is missing and says so only in a warning, which Qt logs. Messages of other
// threads, and anything below a warning, go on to the handler that was there before.
class DecoderWarnings {
public:
    DecoderWarnings() : reader(QThread::currentThread()) {
        active = this;
        previous = qInstallMessageHandler(&DecoderWarnings::receive);
    }
    ~DecoderWarnings() {
        qInstallMessageHandler(previous);
        active = nullptr;
    }
    DecoderWarnings(const DecoderWarnings&) = delete;
    DecoderWarnings& operator=(const DecoderWarnings&) = delete;
    int count() const { return warnings; }

private:
    static void receive(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        const bool decoder = active && QThread::currentThread() == active->reader;
        if (decoder && (type == QtWarningMsg || type == QtCriticalMsg)) {
            ++active->warnings;
            return;
        }
        if (active && active->previous)
            active->previous(type, context, text);
        else
            std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, text)));
    }

    static inline DecoderWarnings* active = nullptr;
    QThread* reader;
    QtMessageHandler previous = nullptr;
    int warnings = 0;
};

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

// A source drawn at its own size (the reticle and background, made at the view's size) maps
// column to column: a straight loop the compiler vectorises, with no column table.
template <typename Combine>
void blitRowsUnscaled(QImage& dest, const QRect& destRect, const QRect& visible, const QImage& src,
                      Combine combine) {
    const int skip = visible.left() - destRect.left();
    const int count = std::min(visible.width(), src.width() - skip);
    if (count <= 0) return;
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const int sy = y - destRect.top();
        if (sy >= src.height()) break;
        const auto* in = reinterpret_cast<const QRgb*>(src.constScanLine(sy)) + skip;
        auto* out = reinterpret_cast<QRgb*>(dest.scanLine(y)) + visible.left();
        for (int i = 0; i < count; ++i)
            out[i] = combine(out[i], in[i]);
    }
}

template <typename Combine>
void blitRows(QImage& dest, const QRect& destRect, const QRect& visible, const QImage& src,
              QSize srcSize, Combine combine) {
    if (destRect.size() == srcSize) return blitRowsUnscaled(dest, destRect, visible, src, combine);
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > MaxPictureFileBytes) return {};
    return decodePicture(file.readAll());
}

QImage decodePicture(const QByteArray& bytes) {
    // Only a file whose structure says it is whole reaches a decoder, and a header may claim
    // any size (60000 x 60000 is 14 GB as RGB32): the size is checked before anything is
    // decoded, and the decoder itself is held to the same bound.
    const PictureCheck::Verdict verdict = PictureCheck::check(bytes);
    if (!verdict.whole() || !fitsInMemory(verdict.size)) return {};
    QBuffer device;
    device.setData(bytes);
    device.open(QIODevice::ReadOnly);
    const DecoderWarnings warnings; // from the first look at the header on
    QImageReader reader(&device, PictureCheck::readerFormat(verdict.format));
    reader.setAllocationLimit(MaxPictureMegabytes);
    if (reader.size().isValid() && reader.size() != verdict.size) return {};
    // The bitmap and JPEG readers decode into an image of the size and format they need when
    // given one: pixels a run-length bitmap skips then hold a known value, not old memory.
    QImage image;
    if (reader.imageFormat() != QImage::Format_Invalid) {
        image = QImage(verdict.size, reader.imageFormat());
        image.fill(0u);
    }
    if (!reader.read(&image) || warnings.count() > 0) return {};
    if (image.size() != verdict.size) return {};
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
    // The destructor drops a partial file. The flush is checked first: the commit would put a
    // file in place even when writing out its buffer failed.
    if (!image.save(&file, "BMP") || !file.flush()) return false;
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
