// The format by its signature, and the JPEG and PNG walks (bitmaps and GIFs have files of their
// own).
#include "sim/PictureBytes.h"

namespace PictureCheck {

namespace {

// --- JPEG ----------------------------------------------------------------------------------------
// Segments are 0xFF, a code and (for most codes) a big-endian length that counts itself. After a
// start-of-scan segment come the entropy-coded bytes, in which 0xFF is followed by 0 (a stuffed
// byte) or a restart code; any other code ends the scan. A picture is whole when the walk reaches
// the end-of-image marker after a frame header and at least one scan. libjpeg fills whatever a
// cut file lacks with grey and only warns.

constexpr uint32_t StartOfImage = 0xD8, EndOfImage = 0xD9, StartOfScan = 0xDA;

bool isFrameHeader(uint32_t code) {
    // SOF0-SOF15 but DHT (C4), JPG (C8) and DAC (CC), which share the range.
    return code >= 0xC0 && code <= 0xCF && code != 0xC4 && code != 0xC8 && code != 0xCC;
}

bool isRestart(uint32_t code) {
    return code >= 0xD0 && code <= 0xD7;
}

// The position of the marker that ends the scan data starting at `at`, or -1 at the end of file.
qint64 scanEnd(const Bytes& b, qint64 at) {
    for (; b.has(at, 2); ++at) {
        if (b.u8(at) != 0xFF) continue;
        const uint32_t code = b.u8(at + 1);
        if (code != 0 && code != 0xFF && !isRestart(code)) return at;
    }
    return -1;
}

Verdict checkJpeg(const Bytes& b) {
    QSize size;
    bool scanned = false;
    qint64 at = 2;
    while (true) {
        if (!b.has(at, 1) || b.u8(at) != 0xFF) return refused(Format::Jpeg, "JPEG marker missing");
        while (b.has(at, 1) && b.u8(at) == 0xFF) // fill bytes may stand before a code
            ++at;
        if (!b.has(at, 1)) return refused(Format::Jpeg, "JPEG cut before its end marker");
        const uint32_t code = b.u8(at++);
        if (code == EndOfImage) {
            if (size.isEmpty() || !scanned) return refused(Format::Jpeg, "JPEG without a picture");
            return {Format::Jpeg, size, nullptr};
        }
        if (code == 0x01 || isRestart(code)) continue; // codes without a length
        if (code == 0 || code == StartOfImage)
            return refused(Format::Jpeg, "JPEG marker misplaced");
        const qint64 length = b.has(at, 2) ? b.be16(at) : 0;
        if (length < 2 || !b.has(at, length))
            return refused(Format::Jpeg, "JPEG segment runs past the end");
        if (isFrameHeader(code) && size.isEmpty()) {
            const uint32_t components = b.u8(at + 7);
            if (length < 8 || length != 8 + 3 * qint64(components))
                return refused(Format::Jpeg, "JPEG frame header damaged");
            size = QSize(int(b.be16(at + 5)), int(b.be16(at + 3)));
            if (size.isEmpty()) return refused(Format::Jpeg, "JPEG frame has no pixels");
        }
        at += length;
        if (code == StartOfScan) {
            if (size.isEmpty()) return refused(Format::Jpeg, "JPEG scan before its frame");
            at = scanEnd(b, at);
            if (at < 0) return refused(Format::Jpeg, "JPEG scan data cut short");
            scanned = true;
        }
    }
}

// --- PNG -----------------------------------------------------------------------------------------
// Chunks of a big-endian length, a four-letter type, the data and a CRC, from IHDR to IEND. The
// compressed image data itself is checked by libpng, which fails the read when it runs short.

constexpr QByteArrayView PngSignature("\x89PNG\r\n\x1a\n", 8);

Verdict checkPng(const Bytes& b) {
    qint64 at = PngSignature.size();
    const qint64 headerData = at + 8;
    if (!b.has(at, 8 + 13 + 4) || b.be32(at) != 13 || b.slice(at + 4, 4) != "IHDR")
        return refused(Format::Png, "PNG header damaged");
    const uint32_t width = b.be32(headerData), height = b.be32(headerData + 4);
    if (width == 0 || height == 0 || width > 0x7FFFFFFF || height > 0x7FFFFFFF)
        return refused(Format::Png, "PNG size out of range");
    bool data = false;
    while (b.has(at, 8)) {
        const qint64 length = b.be32(at);
        const QByteArrayView type = b.slice(at + 4, 4);
        if (length > 0x7FFFFFFF || !b.has(at, 12 + length))
            return refused(Format::Png, "PNG chunk runs past the end");
        if (type == "IEND")
            return data ? Verdict{Format::Png, QSize(int(width), int(height)), nullptr}
                        : refused(Format::Png, "PNG without image data");
        data = data || type == "IDAT";
        at += 12 + length;
    }
    return refused(Format::Png, "PNG cut before its end chunk");
}

} // namespace

Verdict check(QByteArrayView bytes) {
    const Bytes b(bytes);
    if (b.startsWith("BM")) return checkBmp(b);
    if (b.startsWith("\xFF\xD8\xFF")) return checkJpeg(b);
    if (b.startsWith("GIF87a") || b.startsWith("GIF89a")) return checkGif(b);
    if (b.startsWith(PngSignature)) return checkPng(b);
    return refused(Format::Unknown, "not a picture of a known format");
}

const char* readerFormat(Format format) {
    switch (format) {
    case Format::Bmp:
        return "bmp";
    case Format::Jpeg:
        return "jpeg";
    case Format::Gif:
        return "gif";
    case Format::Png:
        return "png";
    case Format::Unknown:
        break;
    }
    return "";
}

} // namespace PictureCheck
