// The scatter of the simulator's shots and the chance that a shot hits.
//
// A shot lands about its aim as a two-dimensional normal group: independent normal errors across
// and up, of one sigma each. From the group size box the group is circular, and its group circle
// holds all but the flyer share of the shots: a circular normal leaves exp(-k^2 / 2) of them
// beyond k sigmas, so the circle's radius is k = sqrt(2 ln(100 / flyer %)) sigmas, and the shots
// beyond it are the flyers. The box's inches at 100 yd become MOA by the one conversion the circle
// and the scatter share.
//
// From a shooter's hit inputs (the load's, or their defaults while the box holds no group) the
// rifle's 5-shot extreme spread gives the sigma of each axis, and the muzzle-velocity spread
// stretches the group vertically by the drop's change per ft/s at the range.
#pragma once

#include "load/HitInputs.h"

#include <QPointF>
#include <QRectF>
#include <QString>
#include <optional>

struct LoadSnapshot;

namespace SimDispersion {

// Sigmas of one shot's error, MOA, across (x) and up (y).
struct Spread {
    double sigmaXMoa = 0;
    double sigmaYMoa = 0;
};

// The flyer share, percent, of the option chosen: 10, 5 or 1; 10 before any choice.
double flyerPercent(float flyerProbability);
// The group circle's radius in sigmas of one axis for that share.
double circleRadiusInSigmas(float flyerProbability);
// The group size box's inches at 100 yd in MOA.
float groupMoa(float groupInches);

// The circular group whose circle is the box's group.
Spread ofGroupBox(double groupInches, float flyerProbability);
// The group of a shooter's hit inputs: `verticalMoaPerFps` is how far the impact rises per ft/s
// of muzzle velocity at the range.
Spread ofHitInputs(const HitInputs& inputs, double verticalMoaPerFps);
// The diameter, MOA, of the circle that leaves the flyer share of a group's shots outside
// across (for the group box's group, the box's group itself).
double circleDiameterMoa(const Spread& spread, float flyerProbability);

// The shooter has set no group: the box holds no text.
bool noGroupSet(const QString& groupText);

// The rise of the impact, MOA per ft/s of muzzle velocity, at `rangeYd` for the load: the
// velocity sensitivity of the hit-probability table, between its rows. Nothing when the load
// gives no table.
std::optional<double> verticalMoaPerFps(const LoadSnapshot& load, double rangeYd);

// The chance that a normal error of `sigma` about `mean` falls between `low` and `high`.
double intervalChance(double low, double high, double mean, double sigma);
// The chance that a shot aimed to land at `mean` hits the rectangle `target` (both in the same
// view units, y down), with the sigmas in those units: a product of error functions.
double rectangleChance(const QRectF& target, QPointF mean, double sigmaX, double sigmaY);

} // namespace SimDispersion
