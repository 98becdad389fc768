#include "load/LoadRecord.h"

#include "services/CDrag.h"
#include "services/CMetro.h"
#include "services/FieldChecks.h"
#include "services/SolverFlight.h"
#include "units/Units.h"

#include <cmath>

namespace LoadRecord {

namespace {
// The classic correction's reference density ratio at 59 F and sea level.
constexpr double ReferenceCorrection = 0.9968801;
// The solver ignores a band whose coefficient is this or less.
constexpr float UnusedBandBc = 0.001f;
} // namespace

float lateralWind(int16_t mph, int16_t degrees) {
    double s = std::sin(degrees * Units::RadiansPerDegree);
    if (std::fabs(s) < 1e-9) s = 0.0;
    return static_cast<float>(mph * s);
}

SolverRecord build(const CInput& load, const CInput& conditions, const Options& options,
                   const CMetro& metro, const CDrag& drag) {
    SolverRecord r{};
    r.muzzleVelocity = load.imvel;
    r.ballisticCoef = load.bcoef;
    r.flightTime = SolverFlight::BaseFlightTime;
    r.maxRange = conditions.imaxyds;
    r.sightHeight = conditions.sightheight;
    r.windSpeed = lateralWind(conditions.ixwvel, conditions.ixwangl);
    r.departureAngle = 0;
    r.zeroRange = conditions.izrange;
    r.dragModel = options.advanced ? drag.getDrag(load.dragIndex) : int16_t(0);
    r.stepRate = SolverFlight::checkedInt16(double(r.maxRange) * StepRatePerRangeUnit);
    r.lowerBc = load.bcMed;
    r.lowerVel = load.vMed;
    r.lowestBc = load.bcLow;
    r.lowestVel = load.vLow;
    r.spareBc = load.bcLow;
    r.spareVel = load.vLow;
    if (options.advanced) {
        // The firing pressure is derived from the reference pressure as a station pressure.
        CMetro air = metro;
        air.useStationPressure = -1;
        float vapourFactor = 1;
        float densityRatio = 1;
        air.correctionFactors(conditions.alt, conditions.temp, vapourFactor, densityRatio);
        // Every band's coefficient is measured in the same standard air as the main one, so
        // the same air corrects them all; a band left uncorrected would be too low at altitude.
        const auto corrected = [&](float bc) {
            return static_cast<float>(double(bc) * vapourFactor / densityRatio *
                                      ReferenceCorrection);
        };
        // A band the solver ignores stays as it is, so the air never switches one on.
        const auto band = [&](float bc) { return bc > UnusedBandBc ? corrected(bc) : bc; };
        r.ballisticCoef = corrected(r.ballisticCoef);
        r.lowerBc = band(r.lowerBc);
        r.lowestBc = band(r.lowestBc);
        r.spareBc = band(r.spareBc);
    }
    r.isZeroed = MSmallBallStruct::isNonZero(r.zeroRange) ? 1 : 0;
    r.isMetric = options.metric ? 1 : 0;
    return r;
}

} // namespace LoadRecord
