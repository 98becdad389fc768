// Drawing on the off-screen scene in twips with the settings a picture box keeps between calls:
// outline colour, fill (solid colour or none), pen mode (copy or XOR) and line width in pixels.
// No smoothing: every pixel is either the drawing colour or untouched, so the colour under an
// impact is exact.
#pragma once

#include "sim/SimGeometry.h"

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPointF>

class SimPainter {
public:
    SimPainter(QImage& image, const SimGeometry& geometry);

    // Black outline and fill, copy mode, width 1.
    void setDefaults();
    void setOutline(const QColor& c) { outline = c; }
    void setFill(const QColor& c) {
        fill = c;
        filled = true;
    }
    void setFillColour(const QColor& c) { fill = c; } // keeps the fill style
    void setFilled(bool on) { filled = on; }
    void setXor(bool on) { xorMode = on; }
    void setWidth(int pixels) { width = pixels; }

    // A circle of radius r twips, filled when the fill is solid.
    void circle(QPointF centre, float r);
    void line(QPointF from, QPointF to);
    // A box between two corners, filled with the outline colour.
    void box(QPointF corner1, QPointF corner2);
    // Text with its top-left corner at `topLeft`; skipped when no font is available (a program
    // without a GUI application object).
    void text(QPointF topLeft, const QString& s);

private:
    void applyPen(bool forFill);

    QPainter painter;
    const SimGeometry& geo;
    QColor outline = Qt::black;
    QColor fill = Qt::black;
    bool filled = true;
    bool xorMode = false;
    int width = 1;
};
