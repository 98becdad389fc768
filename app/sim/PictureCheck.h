// Whether the bytes of a picture file hold a whole picture, read from the file's own structure
// before any decoder sees it. Qt's decoders hand back whatever they managed to read: a cut bitmap
// leaves its missing rows as the memory happened to be, a cut JPEG turns grey, a cut GIF black.
// So a picture is decoded only when its header fits the file and its data runs to its end:
// - BMP: file and info header, width, height, bit depth, compression and palette, and the pixel
//   rows (or the run-length stream up to its end code) inside the file;
// - JPEG: every segment and scan up to the end-of-image marker;
// - GIF: screen descriptor, colour tables, frames and their LZW data up to the trailer, each
//   frame's codes giving at least its pixels;
// - PNG: the chunks, IHDR first, up to IEND, with image data.
// Any other format is refused: its completeness cannot be told.
#pragma once

#include <QByteArrayView>
#include <QSize>

namespace PictureCheck {

enum class Format { Unknown, Bmp, Jpeg, Gif, Png };

struct Verdict {
    Format format = Format::Unknown;
    QSize size;                  // as the header gives it
    const char* fault = nullptr; // why the picture is not whole; null when it is
    bool whole() const { return fault == nullptr; }
};

Verdict check(QByteArrayView bytes);

// The name QImageReader knows the format by ("bmp", "jpeg", "gif", "png"); empty for Unknown.
const char* readerFormat(Format format);

} // namespace PictureCheck
