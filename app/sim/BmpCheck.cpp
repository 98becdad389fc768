// Windows and OS/2 bitmaps: the headers as Qt's reader takes them, and the pixel data inside the
// file. Qt reads the rows one by one and stops at the first that is cut, returning a picture
// whose remaining rows were never written.
#include "sim/PictureBytes.h"

#include <algorithm>
#include <array>

namespace PictureCheck {

namespace {

constexpr qint64 FileHeaderSize = 14;
constexpr uint32_t CoreHeaderSize = 12; // OS/2 1.x: 16-bit sizes, 3-byte palette entries
constexpr std::array<uint32_t, 7> InfoHeaderSizes{CoreHeaderSize, 40, 52, 56, 64, 108, 124};
// Far beyond any picture that fits in memory, and small enough for QSize.
constexpr int64_t LargestSide = 1 << 20;

enum Compression : uint32_t { Plain = 0, Rle8 = 1, Rle4 = 2, BitFields = 3 };

struct Header {
    uint32_t infoSize = 0;
    int64_t width = 0, height = 0; // height < 0: rows stored top-down
    uint32_t planes = 0, bits = 0, compression = Plain, colours = 0;
};

Header readHeader(const Bytes& b) {
    Header h;
    h.infoSize = b.le32(14);
    if (h.infoSize == CoreHeaderSize) {
        h.width = int16_t(b.le16(18));
        h.height = int16_t(b.le16(20));
        h.planes = b.le16(22);
        h.bits = b.le16(24);
    } else {
        h.width = int32_t(b.le32(18));
        h.height = int32_t(b.le32(22));
        h.planes = b.le16(26);
        h.bits = b.le16(28);
        h.compression = b.le32(30);
        h.colours = b.le32(46);
    }
    return h;
}

const char* headerFault(const Header& h) {
    if (h.planes != 1) return "bitmap planes not 1";
    if (h.width <= 0 || h.height == 0) return "bitmap has no pixels";
    if (h.width > LargestSide || h.height > LargestSide || h.height < -LargestSide)
        return "bitmap larger than any picture";
    switch (h.bits) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
        break;
    default:
        return "bitmap bit depth unknown";
    }
    const bool known = h.compression == Plain || (h.compression == Rle8 && h.bits == 8) ||
                       (h.compression == Rle4 && h.bits == 4) ||
                       (h.compression == BitFields && (h.bits == 16 || h.bits == 32));
    if (!known) return "bitmap compression unknown";
    if (h.compression != Plain && h.compression != BitFields && h.height < 0)
        return "run-length bitmap stored top-down";
    if (h.bits <= 8 && h.colours > 256) return "bitmap palette too large";
    return nullptr;
}

// The run-length stream from `at`: pairs of count and value, or an escape (count 0) that ends a
// line, ends the picture, moves the pen, or brings a literal run padded to an even length. The
// stream is whole when it reaches its end code inside the file.
const char* rleFault(const Bytes& b, qint64 at, uint32_t bits) {
    while (b.has(at, 2)) {
        const uint32_t count = b.u8(at), value = b.u8(at + 1);
        at += 2;
        if (count > 0 || value == 0) continue; // a run of one value, or the end of a line
        if (value == 1) return nullptr;
        if (value == 2) {
            at += 2; // the pen moves right and up
        } else {
            const qint64 bytes = bits == 8 ? value : (value + 1) / 2;
            at += bytes + (bytes & 1);
        }
    }
    return "run-length data cut before its end code";
}

} // namespace

Verdict checkBmp(const Bytes& b) {
    if (!b.has(0, FileHeaderSize + 4)) return refused(Format::Bmp, "bitmap header cut short");
    const Header h = readHeader(b);
    if (std::find(InfoHeaderSizes.begin(), InfoHeaderSizes.end(), h.infoSize) ==
        InfoHeaderSizes.end())
        return refused(Format::Bmp, "bitmap info header of unknown size");
    const qint64 infoEnd = FileHeaderSize + h.infoSize;
    if (!b.has(0, infoEnd)) return refused(Format::Bmp, "bitmap header cut short");
    if (const char* fault = headerFault(h)) return refused(Format::Bmp, fault);

    // Colour masks follow a 40-byte header; larger headers hold them.
    const qint64 masks = h.infoSize == 40 && h.compression == BitFields ? 12 : 0;
    const qint64 entries = h.bits <= 8 ? (h.colours ? h.colours : 1 << h.bits) : 0;
    const qint64 paletteEnd = infoEnd + masks + entries * (h.infoSize == CoreHeaderSize ? 3 : 4);
    const qint64 pixels = b.le32(10);
    if (pixels < paletteEnd || pixels > b.size())
        return refused(Format::Bmp, "bitmap data offset outside the file");

    const int64_t rows = h.height < 0 ? -h.height : h.height;
    if (h.compression == Rle8 || h.compression == Rle4) {
        if (const char* fault = rleFault(b, pixels, h.bits)) return refused(Format::Bmp, fault);
    } else {
        // Rows are padded to four bytes; width and rows are at most 2^31 each, so no overflow.
        const int64_t rowBytes = (h.width * h.bits + 31) / 32 * 4;
        if (rows > (b.size() - pixels) / rowBytes)
            return refused(Format::Bmp, "bitmap rows cut short");
    }
    return {Format::Bmp, QSize(int(h.width), int(rows)), nullptr};
}

} // namespace PictureCheck
