// The scope view's geometry in twips (1440 per inch): its size, the unit of mark sizes, the
// centre and the angular scales with and without the zoom. Pixels relate to twips through the
// screen's logical resolution (96 dpi: 15 twips per pixel).
#pragma once

#include "units/Units.h"

#include <QPointF>
#include <QSize>

struct SimGeometry {
    float dpi = 96;
    float viewWidth = 0, viewHeight = 0;
    float viewUnitX = 0, viewUnitY = 0;
    float centreX = 0, centreY = 0;
    float twipsPerMilX = 0, twipsPerMilY = 0;
    float twipsPerMoaX = 0, twipsPerMoaY = 0;
    float zoomTwipsPerMilX = 0, zoomTwipsPerMilY = 0;
    float zoomTwipsPerMoaX = 0, zoomTwipsPerMoaY = 0;
    float moaPerInch = 0;

    float twipsPerPixel() const { return Units::TwipsPerInch / dpi; }
    float toPixels(float twips) const { return twips / twipsPerPixel(); }
    float toTwips(float pixels) const { return pixels * twipsPerPixel(); }
    QPointF toPixels(QPointF twips) const { return twips / twipsPerPixel(); }

    // Fills every field for a view of `pixels`, `milsPerScreen` across at zoom 1, the zoom and
    // the MOA per inch at the current range.
    void compute(QSize pixels, float milsPerScreen, int zoom, float moaPerInchAtRange);
};
