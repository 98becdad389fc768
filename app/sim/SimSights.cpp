#include "sim/SimSights.h"

#include "sim/SimPainter.h"

#include <QString>
#include <cmath>

namespace SimSights {

namespace {

// Marks every 10 MOA from the centre outwards, in both directions along one axis: odd
// multiples get a short tick, even ones a long tick and their MOA number. `mark` draws one.
template <typename Mark>
void tickAxis(float centre, float extent, float step, float pixel, Mark mark) {
    // A scale finer than a pixel (no field of view yet) draws no ticks.
    if (!(step >= pixel)) return;
    for (int direction : {-1, 1}) {
        float pos = centre;
        int moa = 0;
        while (direction < 0 ? pos >= 0 : pos < extent) {
            pos += static_cast<float>(direction) * step;
            moa += 10;
            mark(pos, moa, (moa / 10) % 2 == 1);
        }
    }
}

void mildotDots(SimPainter& p, const SimGeometry& g, bool vertical) {
    const float r = g.twipsPerMilX / 7.0f;
    for (int i = 1; i <= 4; ++i) {
        const float dx = vertical ? 0.0f : static_cast<float>(i) * g.twipsPerMilX;
        const float dy = vertical ? static_cast<float>(i) * g.twipsPerMilY : 0.0f;
        p.circle({g.centreX - dx, g.centreY - dy}, r);
        p.circle({g.centreX + dx, g.centreY + dy}, r);
    }
}

} // namespace

void drawYAxis(SimPainter& p, const SimGeometry& g, int style) {
    if (style == None) return;
    p.setDefaults();
    if (style == MoaCrosshair || style == Mildot) p.line({g.centreX, 0}, {g.centreX, g.viewHeight});
    if (style == MoaCrosshair) {
        const float len = g.viewHeight / 50.0f;
        const float step = g.twipsPerMilY * MilsPerMoa * 10.0f;
        tickAxis(g.centreY, g.viewHeight, step, g.twipsPerPixel(), [&](float y, int moa, bool odd) {
            if (odd) {
                p.line({g.centreX - len / 2, y}, {g.centreX + len / 2, y});
            } else {
                // The view is square: the centre's height is also its distance from the left.
                p.text({g.centreY + 2 * g.viewUnitY, y - len}, QString::number(moa));
                p.line({g.centreX - len, y}, {g.centreX + len, y});
            }
        });
    } else if (style == Mildot) {
        mildotDots(p, g, true);
        const float half = 0.5f * g.twipsPerMilX;
        p.box({g.centreX - half, g.centreY - 5 * g.twipsPerMilY}, {g.centreX + half, 0});
        p.box({g.centreX - half, g.centreY + 5 * g.twipsPerMilY}, {g.centreX + half, g.viewHeight});
    }
    p.setDefaults();
}

void drawXAxis(SimPainter& p, const SimGeometry& g, int style) {
    if (style == None) return;
    p.setDefaults();
    if (style == MoaCrosshair || style == Mildot) p.line({0, g.centreY}, {g.viewWidth, g.centreY});
    switch (style) {
    case MoaCrosshair: {
        const float len = g.viewWidth / 50.0f;
        const float step = g.twipsPerMoaX * 10.0f;
        tickAxis(g.centreX, g.viewHeight, step, g.twipsPerPixel(), [&](float x, int moa, bool odd) {
            if (odd) {
                p.line({x, g.centreY - len / 2}, {x, g.centreY + len / 2});
            } else {
                p.text({x - len / 2, g.centreY + len}, QString::number(moa));
                p.line({x, g.centreY - len}, {x, g.centreY + len});
            }
        });
        break;
    }
    case Mildot: {
        mildotDots(p, g, false);
        const float half = 0.5f * g.twipsPerMilY;
        p.box({g.centreX - 5 * g.twipsPerMilX, g.centreY - half}, {0, g.centreY + half});
        p.box({g.centreX + 5 * g.twipsPerMilX, g.centreY - half}, {g.viewWidth, g.centreY + half});
        break;
    }
    case RedDot:
        p.setFill(QColor(RedDotRgb[0], RedDotRgb[1], RedDotRgb[2]));
        p.circle({g.centreX, g.centreY}, g.twipsPerMoaX * 3.0f / 2.0f);
        break;
    case GhostRing: {
        const float r = g.twipsPerMilX * 30.0f * MilsPerMoa / 2.0f;
        p.setFilled(false);
        p.circle({g.centreX, g.centreY}, r);
        p.circle({g.centreX, g.centreY}, 1.2f * r);
        p.setXor(false);
        p.setFilled(true);
        p.box({g.centreX - r / 10, g.centreY}, {g.centreX + r / 10, g.centreY + 1.2f * r});
        break;
    }
    default:
        break;
    }
    p.setDefaults();
}

} // namespace SimSights
