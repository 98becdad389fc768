// The bullet's equations of motion, evaluated exactly as the solver has always evaluated them:
// point-mass drag against the air, gravity, and the switch to a lower ballistic coefficient once
// the downrange velocity falls into a lower band. The plain integration and the fast one's
// fallback share these pieces, so both round every value the same way.
#pragma once

#include "DragTables.h"
#include "SolverRecord.h"

#include <cmath>
#include <limits>

namespace trajcore {

// The state vector, also the column order of the table.
enum Component { Vx, X, Vy, Y, Vz, Z, kComponents };

// Local gravity used throughout the program's tables (m/s^2), acting downwards.
constexpr float kGravity = 9.818f;
// A lower-band coefficient at or below this means "not given".
constexpr float kMinBandCoef = 0.001f;

// Squared airspeed from the air-relative velocity, summed in this order.
inline double squaredAirspeed(float ux, float uy, float uz) {
    return double(ux) * ux + double(uy) * uy + double(uz) * uz;
}

// Drag deceleration per unit airspeed at squared airspeed q for one ballistic coefficient.
inline double dragPerSpeed(const DragModel& model, float coef, double q) {
    const double airspeed = std::sqrt(q);
    return retardation(model, airspeed) / (double(coef) * airspeed);
}

// The three velocity slopes for drag per speed p against air velocity (ux, uy, uz).
inline void velocitySlopes(double p, float ux, float uy, float uz, float* slope) {
    slope[Vx] = float(-p * ux);
    slope[Vy] = float(-p * uy - kGravity);
    slope[Vz] = float(-p * uz);
}

// The coefficient bands: which coefficient holds after an evaluation at downrange velocity vx.
struct CoefficientBands {
    float lowerBc, lowerVel, lowestBc, lowestVel;

    explicit CoefficientBands(const SolverRecord& si)
        : lowerBc(si.lowerBc), lowerVel(si.lowerVel), lowestBc(si.lowestBc),
          lowestVel(si.lowestVel) {}

    float after(float vx, float coef) const {
        if (vx <= lowerVel && vx > lowestVel && lowerBc > kMinBandCoef) coef = lowerBc;
        if (vx <= lowestVel && lowestBc > kMinBandCoef) coef = lowestBc;
        return coef;
    }
};

// The downrange velocities at which the band rule would switch away from the coefficient in
// use: (lowestVel, lowerVel] towards lowerBc, up to lowestVel towards lowestBc. A side that
// cannot switch gets a NaN bound, which no comparison passes. The same verdict as
// bands.after(vx, coef) != coef, in three comparisons without branches.
struct BandWatch {
    static constexpr float kNever = std::numeric_limits<float>::quiet_NaN();
    float lowerTop, lowerFloor, lowestTop;

    BandWatch(const CoefficientBands& b, float coef)
        : lowerTop(b.lowerBc > kMinBandCoef && b.lowerBc != coef ? b.lowerVel : kNever),
          lowerFloor(b.lowestVel),
          lowestTop(b.lowestBc > kMinBandCoef && b.lowestBc != coef ? b.lowestVel : kNever) {}

    bool switches(float vx) const {
        return ((vx <= lowerTop) & (vx > lowerFloor)) | (vx <= lowestTop);
    }
};

// The derivative of the state. A band switch takes effect from the next evaluation and holds
// for the rest of the run. Everything it reads is copied in, so the loop never reloads it.
class Motion {
public:
    Motion(const SolverRecord& si, const float (&air)[3], float coefficient)
        : model(dragModel(si.dragModel)), wind{air[0], air[1], air[2]}, coef(coefficient),
          bands(si) {}

    float coefficient() const { return coef; }

    void operator()(const float* v, float* slope) const {
        const float ux = v[Vx] - wind[0];
        const float uy = v[Vy] - wind[1];
        const float uz = v[Vz] - wind[2];
        velocitySlopes(dragPerSpeed(model, coef, squaredAirspeed(ux, uy, uz)), ux, uy, uz, slope);
        slope[X] = v[Vx];
        slope[Y] = v[Vy];
        slope[Z] = v[Vz];
        coef = bands.after(v[Vx], coef);
    }

private:
    const DragModel& model;
    float wind[3];
    mutable float coef; // the coefficient in use
    CoefficientBands bands;
};

} // namespace trajcore
