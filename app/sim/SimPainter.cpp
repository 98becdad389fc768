#include "sim/SimPainter.h"

#include <QFont>
#include <QGuiApplication>

SimPainter::SimPainter(QImage& image, const SimGeometry& geometry)
    : painter(&image), geo(geometry) {
    painter.setRenderHint(QPainter::Antialiasing, false);
    const qreal scale = 1.0 / geo.twipsPerPixel();
    painter.setTransform(QTransform::fromScale(scale, scale));
}

void SimPainter::setDefaults() {
    outline = Qt::black;
    fill = Qt::black;
    filled = true;
    xorMode = false;
    width = 1;
}

void SimPainter::applyPen(bool forFill) {
    QPen pen(outline);
    pen.setCosmetic(true);
    pen.setWidth(width);
    painter.setPen(pen);
    if (forFill && filled)
        painter.setBrush(fill);
    else
        painter.setBrush(Qt::NoBrush);
    // XOR with white inverts; XOR with black leaves the scene as it was.
    painter.setCompositionMode(xorMode ? QPainter::RasterOp_SourceXorDestination
                                       : QPainter::CompositionMode_SourceOver);
}

void SimPainter::circle(QPointF centre, float r) {
    if (!(r > 0)) return;
    applyPen(true);
    painter.drawEllipse(centre, r, r);
}

void SimPainter::line(QPointF from, QPointF to) {
    applyPen(false);
    painter.drawLine(from, to);
}

void SimPainter::box(QPointF corner1, QPointF corner2) {
    applyPen(false);
    painter.setBrush(outline);
    painter.drawRect(QRectF(corner1, corner2).normalized());
}

void SimPainter::text(QPointF topLeft, const QString& s) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    applyPen(false);
    painter.save();
    painter.resetTransform();
    QFont font = painter.font();
    font.setPixelSize(qRound(8.0 * geo.dpi / 72.0)); // an 8-point face at the screen's resolution
    painter.setFont(font);
    const QPointF at = geo.toPixels(topLeft);
    painter.drawText(QRectF(at, QSizeF(200, 100)), Qt::AlignLeft | Qt::AlignTop, s);
    painter.restore();
}
