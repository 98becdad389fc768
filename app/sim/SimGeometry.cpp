#include "sim/SimGeometry.h"

void SimGeometry::compute(QSize pixels, float milsPerScreen, int zoom, float moaPerInchAtRange) {
    viewWidth = toTwips(static_cast<float>(pixels.width()));
    viewHeight = toTwips(static_cast<float>(pixels.height()));
    viewUnitX = viewWidth / 10000.0f;
    viewUnitY = viewHeight / 10000.0f;
    centreX = viewWidth / 2.0f;
    centreY = viewHeight / 2.0f;
    // A field of view of 0 (nothing set yet) leaves the scales at 0: nothing is drawn to scale.
    twipsPerMilX = milsPerScreen != 0.0f ? viewWidth / milsPerScreen : 0.0f;
    twipsPerMilY = milsPerScreen != 0.0f ? viewHeight / milsPerScreen : 0.0f;
    twipsPerMoaX = twipsPerMilX / Units::MoaPerMil;
    twipsPerMoaY = twipsPerMilY / Units::MoaPerMil;
    const auto z = static_cast<float>(zoom);
    zoomTwipsPerMilX = z * twipsPerMilX;
    zoomTwipsPerMilY = z * twipsPerMilY;
    zoomTwipsPerMoaX = z * twipsPerMoaX;
    zoomTwipsPerMoaY = z * twipsPerMoaY;
    moaPerInch = moaPerInchAtRange;
}
