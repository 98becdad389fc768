// Two pictures hold the same pixels, whatever their formats: a mask read back from its bitmap
// file has lost the colour space a PNG gave, and images of different colour spaces never compare
// equal. Shared by the picture fuzz target and the replay of its inputs.
#pragma once

#include <QImage>
#include <cstring>

inline bool samePixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size() || a.isNull() != b.isNull()) return false;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    for (int row = 0; row < x.height(); ++row)
        if (std::memcmp(x.constScanLine(row), y.constScanLine(row), size_t(x.width()) * 4) != 0)
            return false;
    return true;
}
