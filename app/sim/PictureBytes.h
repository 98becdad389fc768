// The reading side of PictureCheck: bounds-checked access to a file's bytes, and the check of
// each format (one file per format family).
#pragma once

#include "sim/PictureCheck.h"

#include <cstdint>

namespace PictureCheck {

// Little- and big-endian fields of a file. A field that runs past the end reads as 0; callers
// ask `has` first, so that is a safety net, never a value used.
class Bytes {
public:
    explicit Bytes(QByteArrayView data) : data(data) {}
    qint64 size() const { return data.size(); }
    bool has(qint64 at, qint64 count) const {
        return at >= 0 && count >= 0 && at <= size() && count <= size() - at;
    }
    uint32_t u8(qint64 at) const { return has(at, 1) ? uint8_t(data[at]) : 0; }
    uint32_t le16(qint64 at) const { return u8(at) | u8(at + 1) << 8; }
    uint32_t le32(qint64 at) const { return le16(at) | le16(at + 2) << 16; }
    uint32_t be16(qint64 at) const { return u8(at) << 8 | u8(at + 1); }
    uint32_t be32(qint64 at) const { return be16(at) << 16 | be16(at + 2); }
    bool startsWith(QByteArrayView prefix) const { return data.startsWith(prefix); }
    QByteArrayView slice(qint64 at, qint64 count) const { return data.sliced(at, count); }

private:
    QByteArrayView data;
};

inline Verdict refused(Format format, const char* fault) {
    return {format, {}, fault};
}

Verdict checkBmp(const Bytes& b);
Verdict checkGif(const Bytes& b);

} // namespace PictureCheck
