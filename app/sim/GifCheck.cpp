// GIF files: the block structure up to the trailer, and for each frame the number of pixels its
// LZW codes stand for. Qt's reader paints a frame that runs short with the background colour and
// calls it read; a frame whose codes give fewer pixels than its size is therefore not whole.
#include "sim/PictureBytes.h"

#include <QByteArray>
#include <array>

namespace PictureCheck {

namespace {

constexpr uint32_t ImageBlock = 0x2C, ExtensionBlock = 0x21, Trailer = 0x3B;
constexpr int LargestCodeWidth = 12;
constexpr int TableSize = 1 << LargestCodeWidth;

// Bytes of the colour table that the packed field of a descriptor announces.
qint64 colourTableBytes(uint32_t packed) {
    return packed & 0x80 ? 3 << ((packed & 7) + 1) : 0;
}

// Codes of `width` bits (at most 12), least significant bit first, as GIF packs them.
class CodeReader {
public:
    explicit CodeReader(const QByteArray& data) : data(data) {}
    bool read(int width, uint32_t& code) {
        if (bit + width > data.size() * 8) return false;
        const qint64 at = bit / 8;
        uint32_t window = 0;
        for (qint64 i = 0; i < 3 && at + i < data.size(); ++i)
            window |= uint32_t(uint8_t(data[at + i])) << (8 * i);
        code = (window >> (bit % 8)) & ((1u << width) - 1);
        bit += width;
        return true;
    }

private:
    const QByteArray& data;
    qint64 bit = 0;
};

// The pixels the codes decode to, counted without decoding them: only the length of each table
// entry is kept. -1 when a code refers to an entry that does not exist yet. Counting stops once
// `wanted` pixels are reached.
int64_t lzwPixels(const QByteArray& data, int minimumWidth, int64_t wanted) {
    const uint32_t clear = 1u << minimumWidth, end = clear + 1;
    std::array<uint32_t, TableSize> length{};
    int width = minimumWidth + 1;
    uint32_t next = clear + 2;
    int64_t previous = -1;
    int64_t pixels = 0;
    CodeReader codes(data);
    uint32_t code = 0;
    while (pixels < wanted && codes.read(width, code)) {
        if (code == clear) {
            width = minimumWidth + 1;
            next = clear + 2;
            previous = -1;
            continue;
        }
        if (code == end) break;
        const auto lengthOf = [&](int64_t c) { return c < clear ? 1u : length[size_t(c)]; };
        uint32_t run = 0;
        if (code < clear || (code > end && code < next))
            run = lengthOf(code);
        else if (code == next && previous >= 0)
            run = lengthOf(previous) + 1;
        else
            return -1;
        if (previous >= 0 && next < TableSize) {
            length[next] = lengthOf(previous) + 1;
            ++next;
            if (next == (1u << width) && width < LargestCodeWidth) ++width;
        }
        pixels += run;
        previous = code;
    }
    return pixels;
}

// Sub-blocks from `at` up to the empty one; their contents appended to `data` when given. The
// position after the terminator, or -1 when the file ends first.
qint64 subBlocks(const Bytes& b, qint64 at, QByteArray* data) {
    while (b.has(at, 1)) {
        const qint64 count = b.u8(at++);
        if (count == 0) return at;
        if (!b.has(at, count)) return -1;
        if (data) data->append(b.slice(at, count));
        at += count;
    }
    return -1;
}

// A frame from its image descriptor at `at` (after the introducer), `at` moved past it: null, or
// why it is not whole.
const char* frameFault(const Bytes& b, qint64& at) {
    if (!b.has(at, 9)) return "GIF frame descriptor cut short";
    const int64_t pixels = int64_t(b.le16(at + 4)) * b.le16(at + 6);
    at += 9 + colourTableBytes(b.u8(at + 8));
    if (!b.has(at, 1)) return "GIF frame cut short";
    const int minimumWidth = int(b.u8(at++));
    if (minimumWidth < 1 || minimumWidth >= LargestCodeWidth) return "GIF code size out of range";
    QByteArray data;
    at = subBlocks(b, at, &data);
    if (at < 0) return "GIF image data cut short";
    const int64_t decoded = lzwPixels(data, minimumWidth, pixels);
    if (decoded < 0) return "GIF image data corrupt";
    if (decoded < pixels) return "GIF image data ends before the frame is full";
    return nullptr;
}

} // namespace

Verdict checkGif(const Bytes& b) {
    if (!b.has(0, 13)) return refused(Format::Gif, "GIF header cut short");
    const QSize size(int(b.le16(6)), int(b.le16(8)));
    if (size.isEmpty()) return refused(Format::Gif, "GIF screen has no pixels");
    qint64 at = 13 + colourTableBytes(b.u8(10));
    int frames = 0;
    while (b.has(at, 1)) {
        const uint32_t block = b.u8(at++);
        if (block == Trailer)
            return frames > 0 ? Verdict{Format::Gif, size, nullptr}
                              : refused(Format::Gif, "GIF without a picture");
        if (block == ImageBlock) {
            if (const char* fault = frameFault(b, at)) return refused(Format::Gif, fault);
            ++frames;
        } else if (block == ExtensionBlock) {
            at = b.has(at, 1) ? subBlocks(b, at + 1, nullptr) : -1;
            if (at < 0) return refused(Format::Gif, "GIF extension cut short");
        } else {
            return refused(Format::Gif, "GIF block unknown");
        }
    }
    return refused(Format::Gif, "GIF cut before its trailer");
}

} // namespace PictureCheck
