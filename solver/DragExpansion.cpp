// How far a slope from the expansion may lie from the exact one, relative to |P u| + g (g for
// the vertical slope only):
//  - the exact way's P carries the roundings of the square root, the speed conversion (each
//    magnified M <= 8 times by the power), the power (under one unit in the last place), two
//    products and the division: below 22 * 2^-53 = 2^-48.5; P0 at the anchor carries the same;
//  - the remainder after the r^4 term is at most |r|^5 / (1 - |r|) because every binomial
//    coefficient C(e, k) with k >= 5 and 0 <= e <= 4 is below 1 in size; with |r| <= 2^-9 that
//    is below 2^-44.9;
//  - the coefficients' and the evaluation's own roundings, q - q0 taken within a few units of
//    q0's last place (magnified at most e <= 4 times), and the exact way's rounding of the
//    product and the difference add some thirty units of 2^-53, 2^-48.
// Together below 2^-44: packedSlopes() keeps a slope only when a span 32 times wider rounds to
// one float.
#include "DragExpansion.h"

#include <cmath>

namespace trajcore {
namespace {

constexpr double kInfinity = std::numeric_limits<double>::infinity();
// Inside a zone's squared-speed range by this much relative, the exact way's rounded speed
// cannot reach the zone's bounds (its roundings are some 2^-52).
constexpr double kZoneInset = 0x1p-40;
// Anchors outside this squared-speed range (m^2/s^2) are not used: they would only arise from
// a diverging integration, and keeping q0^4 in range keeps the coefficients accurate.
constexpr double kLowestQ = 1e-6, kHighestQ = 1e12;

// The zone that applies at speed v (table unit), searched from a nearby index. Speeds change
// little between anchors, so this takes a step or two where the search from the top takes up
// to forty; the zone it finds is the same for any speed that is a number.
std::size_t zoneIndexNear(const DragModel& model, double v, std::size_t i) {
    const std::size_t last = model.zones.size() - 1;
    if (i > last) i = last;
    while (i > 0 && v > model.zones[i - 1].bound)
        --i;
    while (i < last && v <= model.zones[i].bound)
        ++i;
    return i;
}

// Squared airspeed (m^2/s^2) at a zone bound given in the table's speed unit.
double squaredBound(const DragModel& model, double bound) {
    const double speed = bound / model.speedFactor;
    return speed * speed;
}

} // namespace

DragExpansion DragExpansion::around(const DragModel& model, float coef, double q0,
                                    std::size_t& zoneHint) noexcept {
    DragExpansion none;
    if (!(q0 >= kLowestQ && q0 <= kHighestQ)) return none;
    const double airspeed = std::sqrt(q0);
    const double v = airspeed * model.speedFactor;
    zoneHint = zoneIndexNear(model, v, zoneHint);
    const DragZone& zone = model.zones[zoneHint];
    // The same operations as dragPerSpeed(), in the zone just found.
    const double p0 = zone.a * std::pow(v, zone.m) * model.resultFactor / (double(coef) * airspeed);
    const double e = (zone.m - 1) / 2;
    if (!(std::isfinite(p0) && p0 > 0 && e >= 0 && e <= 4)) return none;

    DragExpansion x;
    const double zoneLo =
        zoneHint + 1 < model.zones.size() ? squaredBound(model, zone.bound) * (1 + kZoneInset) : 0;
    const double zoneHi =
        zoneHint > 0 ? squaredBound(model, model.zones[zoneHint - 1].bound) * (1 - kZoneInset)
                     : kInfinity;
    x.lo = std::max(zoneLo, q0 * (1 - kReach));
    x.hi = std::min(zoneHi, q0 * (1 + kReach));
    // Within a unit in q0's last place of lo - q0 and hi - q0, far inside the zone inset.
    for (int lane = 0; lane < 2; ++lane) {
        x.q0[lane] = q0;
        x.dqLo[lane] = x.lo - q0;
        x.dqHi[lane] = x.hi - q0;
    }
    // b[k] = P0 C(e, k) / q0^k.
    const double perQ = 1 / q0;
    double binomial = 1, scale = p0;
    for (int k = 0; k < kTerms; ++k) {
        x.b[k][0] = x.b[k][1] = scale * binomial;
        binomial *= (e - k) / (k + 1);
        scale *= perQ;
    }
    return x;
}

} // namespace trajcore
