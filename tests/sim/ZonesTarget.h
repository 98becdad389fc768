// The target picture the firing tests score on: zone colours at known radii.
#pragma once

#include <QImage>
#include <QPainter>

namespace ZonesTarget {

const QRgb Red = qRgb(255, 0, 0);
const QRgb Blue = qRgb(0, 0, 255);

// 100 x 100: a white card, a blue disc of radius 40 and a red disc of radius 15 in the middle.
inline QImage picture() {
    QImage img(100, 100, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(Blue));
    p.drawEllipse(QPointF(50, 50), 40, 40);
    p.setBrush(QColor(Red));
    p.drawEllipse(QPointF(50, 50), 15, 15);
    return img;
}

} // namespace ZonesTarget
