#include "precision/Flight.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace precision {

namespace {

// The air column sampled every few feet of height as the flight reaches them, read between the
// samples by straight lines: the column's exact formulas (a power and an exponential) once per
// node instead of at every force evaluation. Density bends so gently with height (its relative
// second derivative is below 1e-9 per square foot) that the straight line is off by less than a
// ten-millionth of it.
class AirNodes {
public:
    explicit AirNodes(const AirColumn& column) : column_(column) {}

    AirColumn::Sample at(double heightFt) {
        const double u = heightFt / spacingFt;
        if (!(std::abs(u) < mostNodes)) return column_.at(heightFt); // far off or not a number
        const auto node = static_cast<long>(std::floor(u));
        reach(node);
        const AirColumn::Sample& a = nodes_[std::size_t(node - first_)];
        const AirColumn::Sample& b = nodes_[std::size_t(node + 1 - first_)];
        const double f = u - double(node);
        return {a.densityRatio + f * (b.densityRatio - a.densityRatio),
                a.machPerFps + f * (b.machPerFps - a.machPerFps)};
    }

private:
    static constexpr double spacingFt = 25;
    static constexpr double mostNodes = 1e6; // 25 million feet: beyond, the exact formula

    // Makes nodes `node` and `node + 1` present, adding the missing ones at either end.
    void reach(long node) {
        if (nodes_.empty()) {
            first_ = node;
            nodes_.push_back(column_.at(double(node) * spacingFt));
        }
        while (node < first_) {
            --first_;
            nodes_.insert(nodes_.begin(), column_.at(double(first_) * spacingFt));
        }
        while (node + 1 >= first_ + long(nodes_.size()))
            nodes_.push_back(column_.at(double(first_ + long(nodes_.size())) * spacingFt));
    }

    const AirColumn& column_;
    std::vector<AirColumn::Sample> nodes_;
    long first_ = 0; // the node index of nodes_[0]
};

// The bullet's acceleration from where it is (the air thins and cools as it climbs; the wind
// changes by range) and its velocity over ground.
class Forces {
public:
    explicit Forces(const FlightSetup& setup)
        : setup_(setup), bc_(setup.bc), air_(setup.air), sight_{std::cos(setup.lineOfSightRad),
                                                                std::sin(setup.lineOfSightRad), 0} {
        updateDrag();
    }

    Vec3 acceleration(const Vec3& positionFt, const Vec3& velocityFps) {
        const AirColumn::Sample here = air_.at(positionFt.y);
        const Vec3& wind = setup_.windZones.empty()
                               ? setup_.windFps
                               : windAt(setup_.windZones, dot(sight_, positionFt));
        const Vec3 air = velocityFps - wind;
        const double airspeed = norm(air);
        const double retardationPerFps = here.densityRatio * dragPerFt_ *
                                         setup_.drag->cdAt(airspeed * here.machPerFps, interval_) *
                                         airspeed;
        Vec3 a = (-retardationPerFps) * air;
        a.y -= gravityFps2;
        a += -2.0 * cross(setup_.earthRotationRadPerS, velocityFps); // Coriolis
        return a;
    }

    bool bandChangesAt(double speedFps) const { return bc_.changesAt(speedFps); }
    void passSpeed(double speedFps) {
        if (bc_.pass(speedFps)) updateDrag();
    }

private:
    void updateDrag() { dragPerFt_ = dragConstantPerFt / bc_.current(); }

    const FlightSetup& setup_;
    BcBands bc_;
    AirNodes air_;
    Vec3 sight_; // unit vector along the line of sight, for the range the wind zones go by
    double dragPerFt_ = 0;
    std::size_t interval_ = 0; // of the drag curve, where the previous look-up was
};

struct Sample {
    double timeS = 0;
    Vec3 positionFt, velocityFps, accelerationFps2;
};

// Cubic Hermite on the unit interval through f0 and f1 with slopes m0 and m1 (per unit s).
template <class T> T hermite(const T& f0, const T& m0, const T& f1, const T& m1, double s) {
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * f0 + (s3 - 2 * s2 + s) * m0 + (-2 * s3 + 3 * s2) * f1 +
           (s3 - s2) * m1;
}

double hermiteSlope(double f0, double m0, double f1, double m1, double s) {
    const double s2 = s * s;
    return (6 * s2 - 6 * s) * f0 + (3 * s2 - 4 * s + 1) * m0 + (-6 * s2 + 6 * s) * f1 +
           (3 * s2 - 2 * s) * m1;
}

Vec3 velocityBetween(const Sample& a, const Sample& b, double s) {
    const double h = b.timeS - a.timeS;
    return hermite(a.velocityFps, h * a.accelerationFps2, b.velocityFps, h * b.accelerationFps2, s);
}

// The classic fourth-order step for x'' = a(x, x'): each stage's position from the previous
// stage's velocity.
Sample rungeKuttaStep(Forces& forces, const Sample& from, double h) {
    const Vec3& x = from.positionFt;
    const Vec3& v = from.velocityFps;
    const Vec3& k1 = from.accelerationFps2;
    const Vec3 v2 = v + (h / 2) * k1;
    const Vec3 k2 = forces.acceleration(x + (h / 2) * v, v2);
    const Vec3 v3 = v + (h / 2) * k2;
    const Vec3 k3 = forces.acceleration(x + (h / 2) * v2, v3);
    const Vec3 v4 = v + h * k3;
    const Vec3 k4 = forces.acceleration(x + h * v3, v4);
    Sample to;
    to.timeS = from.timeS + h;
    to.positionFt = x + (h / 6) * (v + 2.0 * v2 + 2.0 * v3 + v4);
    to.velocityFps = v + (h / 6) * (k1 + 2.0 * k2 + 2.0 * k3 + k4);
    to.accelerationFps2 = forces.acceleration(to.positionFt, to.velocityFps);
    return to;
}

// The state where the range along `sight` reaches rangeFt between samples a and b (which
// bracket it): the time from the range's Hermite polynomial by safeguarded Newton iteration,
// then position and velocity from theirs.
FlightState crossing(const Sample& a, const Sample& b, const Vec3& sight, double rangeFt) {
    const double h = b.timeS - a.timeS;
    const double r0 = dot(sight, a.positionFt) - rangeFt, r1 = dot(sight, b.positionFt) - rangeFt;
    const double m0 = h * dot(sight, a.velocityFps), m1 = h * dot(sight, b.velocityFps);
    double lo = 0, hi = 1;
    double s = r1 > r0 ? std::clamp(-r0 / (r1 - r0), 0.0, 1.0) : 1.0;
    for (int i = 0; i < 12; ++i) {
        const double miss = hermite(r0, m0, r1, m1, s);
        if (std::abs(miss) < 1e-10) break;
        (miss < 0 ? lo : hi) = s;
        const double slope = hermiteSlope(r0, m0, r1, m1, s);
        const double next = slope > 0 ? s - miss / slope : -1.0;
        s = next > lo && next < hi ? next : (lo + hi) / 2;
    }
    return {a.timeS + s * h,
            hermite(a.positionFt, h * a.velocityFps, b.positionFt, h * b.velocityFps, s),
            velocityBetween(a, b, s)};
}

// The fraction of the step from a to b at which the speed first enters a new velocity band
// (which it has at b), by bisection on the interpolated velocity.
double bandChangeFraction(const Forces& forces, const Sample& a, const Sample& b) {
    double before = 0, after = 1;
    for (int i = 0; i < 40; ++i) {
        const double s = (before + after) / 2;
        (forces.bandChangesAt(norm(velocityBetween(a, b, s))) ? after : before) = s;
    }
    return after;
}

} // namespace

std::vector<FlightState> fly(const FlightSetup& setup, std::span<const double> rangesFt,
                             double timeStepS, double maxTimeS) {
    std::vector<FlightState> states;
    states.reserve(rangesFt.size());
    const Vec3 sight{std::cos(setup.lineOfSightRad), std::sin(setup.lineOfSightRad), 0};
    Forces forces(setup);
    forces.passSpeed(norm(setup.startVelocityFps));
    Sample now{0, setup.startPositionFt, setup.startVelocityFps,
               forces.acceleration(setup.startPositionFt, setup.startVelocityFps)};
    std::size_t next = 0;
    for (; next < rangesFt.size() && rangesFt[next] <= dot(sight, now.positionFt); ++next)
        states.push_back({0, now.positionFt, now.velocityFps});
    while (next < rangesFt.size() && now.timeS < maxTimeS && timeStepS > 0) {
        const double h = std::min(timeStepS, maxTimeS - now.timeS);
        Sample after = rungeKuttaStep(forces, now, h);
        // A new ballistic coefficient takes over where the speed reaches its band: the step is
        // cut short there, so the change is not delayed by up to a whole step.
        const bool bandChanges = forces.bandChangesAt(norm(after.velocityFps));
        double bandSpeedFps = 0;
        if (bandChanges) {
            const double s = bandChangeFraction(forces, now, after);
            bandSpeedFps = norm(velocityBetween(now, after, s));
            after = rungeKuttaStep(forces, now, s * h);
        }
        const double reachedFt = dot(sight, after.positionFt);
        if (!std::isfinite(reachedFt)) break;
        for (; next < rangesFt.size() && rangesFt[next] <= reachedFt; ++next)
            states.push_back(crossing(now, after, sight, rangesFt[next]));
        if (dot(sight, after.velocityFps) <= 0) break; // no further range will be reached
        now = after;
        if (bandChanges) {
            forces.passSpeed(bandSpeedFps);
            now.accelerationFps2 = forces.acceleration(now.positionFt, now.velocityFps);
        }
    }
    return states;
}

} // namespace precision
