// The sights drawn by code, centred on the view and sized in the unzoomed angular scale so they
// keep their size on the screen at every zoom.
#pragma once

#include "sim/SimGeometry.h"

class SimPainter;

namespace SimSights {

enum Style { MoaCrosshair = 0, Mildot = 1, RedDot = 2, GhostRing = 3, None = 4 };

// The vertical parts (crosshair with MOA ticks and numbers, mildot line, dots and bars).
void drawYAxis(SimPainter& p, const SimGeometry& g, int style);
// The horizontal parts, the red dot and the ghost ring.
void drawXAxis(SimPainter& p, const SimGeometry& g, int style);

constexpr float MilsPerMoa = 0.29088888f;
constexpr int RedDotRgb[3] = {255, 25, 15};

} // namespace SimSights
