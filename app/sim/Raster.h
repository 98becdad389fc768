// Block copies between pictures with the three raster operations the scene needs: copy, OR
// (a picture on black laid over the scene) and AND (the same picture on white, cutting its shape
// back in). Pictures are QImage::Format_RGB32; colours of the state are 0xBBGGRR values.
#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>
#include <cstdint>

namespace Raster {

enum class Op { Copy, Or, And };

// Stretch-copies the top-left `srcSize` part of `src` onto `destRect` of `dest`, each
// destination pixel taking the nearest source pixel (no blending, so zone colours and the pure
// white and black of masks survive). Only the part of `destRect` inside `dest` is visited, so a
// target magnified far beyond the view costs no more than the view. Source pixels beyond `src`
// leave the destination unchanged.
void stretchBlt(QImage& dest, const QRect& destRect, const QImage& src, QSize srcSize, Op op);

// `src` with every exactly white pixel turned black: the black-background version of a
// white-background picture.
QImage convertWhiteToBlack(const QImage& src);

// The picture in `path` as RGB32, or a null image when the file is missing, unreadable, not
// whole (cut short, a header that does not fit its data, a decoder warning about damaged data),
// of a format whose wholeness cannot be checked (anything but BMP, JPEG, GIF and PNG), or too
// large to hold. The format is recognised from the contents, whatever the suffix.
QImage loadPicture(const QString& path);
// The same from the bytes of a file.
QImage decodePicture(const QByteArray& bytes);

// The largest picture the simulator loads: a side of 16384 pixels, 256 MB decoded. A scope view
// is far smaller; anything beyond is a damaged header or a picture that would exhaust memory.
constexpr int MaxPictureSide = 16384;
constexpr int MaxPictureMegabytes = 256;
bool fitsInMemory(QSize size);

// Saves as a Windows bitmap whatever the file name says; false when it could not be written.
bool saveBitmap(const QImage& image, const QString& path);

// 0xBBGGRR colour values of the state, and QColor at the edges.
int32_t toColorValue(QRgb rgb);
QColor toQColor(int32_t bgr);
// The pixel of an RGB32 image as a colour value; 0 outside the image.
int32_t pixelValue(const QImage& image, int x, int y);

} // namespace Raster
