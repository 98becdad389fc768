#include "services/SolverFlight.h"

#include "services/ErrorNumbers.h"
#include "services/MNumber.h"

#include <algorithm>
#include <utility>

namespace {

// The solver's clock is single precision; allow for its rounding before calling a row an
// extrapolation past the end of the flight.
constexpr double FlightEndTolerance = 1e-3;

// The look-ahead integrates a sixteenth of the steps over the longest flight; below
// LookAheadFrom steps a trajectory is cheap enough to find its flight time by the exact check.
constexpr int16_t LookAheadDivisor = 16;
constexpr int16_t LookAheadMinSteps = 100;
constexpr int16_t LookAheadFrom = 4000;
// The coarse flight time is trusted to skip a level only when it is this far beyond it.
constexpr double LookAheadMargin = 0.02;

} // namespace

int16_t SolverFlight::checkedInt16(double value) {
    const auto v = MNumber::toInt16(value);
    if (!v) throw ErrorNumbers::Failure(ErrorNumbers::Overflow, "Overflow");
    return *v;
}

QList<Problem> SolverFlight::takeFailures() {
    failures += binding.takeFailures();
    return std::exchange(failures, {});
}

bool SolverFlight::rangeBeyondFlight(const SolverRecord& record, float range) {
    SolverRow r{};
    if (binding.getOneResult(r, range, 1) != 0) return false;
    return r.t > record.flightTime * (1.0 + FlightEndTolerance);
}

float SolverFlight::lookAheadFlightTime(const SolverRecord& record, int16_t count,
                                        float lastRange) {
    // A coarse pass over the longest flight tells roughly when the last range is reached; only
    // a clear verdict skips a level, anything near a boundary is left to the exact check.
    SolverRecord coarse = record;
    coarse.flightTime = LongestFlightTime;
    const int16_t coarseCount = std::max<int16_t>(LookAheadMinSteps, count / LookAheadDivisor);
    coarse.stepRate = checkedInt16(coarseCount / double(coarse.flightTime));
    float flightTime = record.flightTime;
    if (!binding.allocMem(coarse)) return flightTime;
    binding.calcAll(coarse);
    SolverRow r{};
    binding.getOneResult(r, lastRange, 1);
    while (flightTime < LongestFlightTime && r.t > flightTime * (1.0 + LookAheadMargin))
        flightTime *= 2.0f;
    return flightTime;
}

bool SolverFlight::integrateCovering(SolverRecord& record, float lastRange) {
    const int16_t count = checkedInt16(double(record.stepRate) * record.flightTime);
    if (count < 1) {
        failures += binding.takeFailures();
        failures.append(
            Problem::message(QStringLiteral("Range Values wrong"), QStringLiteral("Sanity Check")));
        return false;
    }
    auto setFlightTime = [&](float flightTime) {
        record.flightTime = flightTime;
        record.stepRate = checkedInt16(count / double(flightTime));
    };
    if (count >= LookAheadFrom) setFlightTime(lookAheadFlightTime(record, count, lastRange));
    if (!binding.allocMem(record)) return false;
    binding.calcAll(record);
    while (record.flightTime < LongestFlightTime && rangeBeyondFlight(record, lastRange)) {
        setFlightTime(record.flightTime * 2.0f);
        binding.calcAll(record);
    }
    flown = record.flightTime;
    return true;
}
