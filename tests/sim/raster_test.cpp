// The scene's pixel copies: each destination pixel takes the nearest source pixel, combined by
// copy, OR or AND, and nothing outside the destination rectangle, the view or the source
// changes. Expected pixels are worked out from the mapping x -> (x - left) * srcW / destW.
#include "sim/Raster.h"

#include <gtest/gtest.h>

#include <QImage>

namespace {

constexpr QRgb Untouched = 0xFF123456u;

// A source whose every pixel names its position, so a wrong mapping shows.
QImage numbered(QSize size) {
    QImage img(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            img.setPixel(x, y, qRgb(x * 7 % 256, y * 11 % 256, (x + y) % 256));
    return img;
}

QImage plain(QSize size, QRgb colour) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(colour);
    return img;
}

// What stretchBlt must leave at each pixel of `before`.
QImage expected(const QImage& before, const QRect& rect, const QImage& src, QSize srcSize,
                Raster::Op op) {
    QImage out = before.copy();
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (!rect.contains(x, y)) continue;
            const int sx = (x - rect.left()) * srcSize.width() / rect.width();
            const int sy = (y - rect.top()) * srcSize.height() / rect.height();
            if (sx >= src.width() || sy >= src.height()) continue;
            const QRgb d = out.pixel(x, y), s = src.pixel(sx, sy);
            const QRgb rgb = op == Raster::Op::Copy ? s : op == Raster::Op::Or ? (d | s) : (d & s);
            out.setPixel(x, y, 0xFF000000u | (rgb & 0xFFFFFFu));
        }
    return out;
}

struct Case {
    const char* what;
    QRect rect;
    QSize srcSize;
};

} // namespace

TEST(RasterStretchBlt, EveryOpAtEveryPlacementMatchesTheNearestPixelRule) {
    const QImage src = numbered({40, 30});
    const QImage background = numbered({50, 45}).mirrored(true, true);
    const Case cases[] = {
        {"own size, inside", {5, 7, 40, 30}, {40, 30}},
        {"own size, past the right and bottom", {20, 25, 40, 30}, {40, 30}},
        {"own size, from above and left", {-13, -9, 40, 30}, {40, 30}},
        {"own size, larger than the view", {-3, -2, 60, 50}, {60, 50}},
        {"doubled", {2, 3, 80, 60}, {40, 30}},
        {"halved", {1, 1, 20, 15}, {40, 30}},
        {"odd ratio, clipped", {-7, 4, 53, 29}, {40, 30}},
        {"source part only", {0, 0, 25, 25}, {25, 25}},
    };
    for (const Case& c : cases)
        for (Raster::Op op : {Raster::Op::Copy, Raster::Op::Or, Raster::Op::And}) {
            QImage dest = background.copy();
            Raster::stretchBlt(dest, c.rect, src, c.srcSize, op);
            EXPECT_EQ(dest, expected(background, c.rect, src, c.srcSize, op))
                << c.what << ", op " << int(op);
        }
}

TEST(RasterStretchBlt, NothingBesideTheRectangleOrBeyondTheSourceChanges) {
    const QImage src = plain({10, 10}, qRgb(255, 0, 0));
    QImage dest = plain({30, 30}, Untouched);
    // The source claims 20 x 20 but holds 10 x 10: the rest of the rectangle keeps its pixels.
    Raster::stretchBlt(dest, QRect(5, 5, 20, 20), src, QSize(20, 20), Raster::Op::Copy);
    int red = 0, kept = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 30; ++x) {
            const QRgb p = dest.pixel(x, y);
            const bool inSource = x >= 5 && x < 15 && y >= 5 && y < 15;
            EXPECT_EQ(p, inSource ? qRgb(255, 0, 0) : Untouched) << x << "," << y;
            (inSource ? red : kept)++;
        }
    EXPECT_EQ(red, 100);
    EXPECT_EQ(kept, 800);

    // A rectangle wholly outside, or an empty one, draws nothing.
    const QImage before = dest.copy();
    Raster::stretchBlt(dest, QRect(40, 40, 10, 10), src, QSize(10, 10), Raster::Op::Copy);
    Raster::stretchBlt(dest, QRect(0, 0, 0, 10), src, QSize(10, 10), Raster::Op::Copy);
    EXPECT_EQ(dest, before);
}

TEST(RasterStretchBlt, MasksKeepTheBackgroundWhereTheyAreWhiteOrBlack) {
    // The see-through pair: OR with the black-background version, then AND with the white one.
    QImage mark = plain({8, 8}, qRgb(255, 255, 255));
    mark.setPixel(3, 4, qRgb(0, 0, 255));
    const QImage black = Raster::convertWhiteToBlack(mark);
    QImage dest = plain({8, 8}, qRgb(10, 200, 30));
    Raster::stretchBlt(dest, dest.rect(), black, black.size(), Raster::Op::Or);
    Raster::stretchBlt(dest, dest.rect(), mark, mark.size(), Raster::Op::And);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x)
            EXPECT_EQ(dest.pixel(x, y), x == 3 && y == 4 ? qRgb(0, 0, 255) : qRgb(10, 200, 30));
}
