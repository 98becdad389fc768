// The library's fast integration against the plain reference run: every table entry, the
// departure angle and a row every yard must be the same bit for bit.
#include "DragTables.h"
#include "Integration.h"
#include "ReferenceIntegration.h"
#include "Trajectory.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <random>
#include <sstream>
#include <string>
#include <vector>

namespace {

// Every drag code the solver knows, and unknown ones that fall back to G1.
constexpr int16_t kCodes[] = {0, 1, 2, 5, 6, 7, 8, 10, 11, 3, 4, 9, 12, -1, 300};
// The flight times the table writer uses.
constexpr float kFlightTimes[] = {2, 4, 8, 16};

struct Flight {
    std::vector<uint32_t> bits; // time and the six state values of every entry, the angle last
    std::vector<SolverRow> rows;
};

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// The table writer's step count: 16 per yard (or metre) of maximum range, within 16 bits.
int16_t stepsFor(const SolverRecord& r) {
    return int16_t(std::min(32767.0f, std::max(1.0f, std::round(16 * r.maxRange))));
}

Flight fly(const SolverRecord& record, bool fast, int16_t steps) {
    Flight f;
    EXPECT_EQ(trajcore::memAlloc(steps), 11);
    EXPECT_EQ(fast ? trajcore::calcPre(&record) : trajcore::calcPreReference(&record), 11);
    for (int32_t k = 0; k <= steps; ++k) {
        float t, v[6];
        trajcore::tableEntry(k, t, v);
        f.bits.push_back(bitsOf(t));
        for (float c : v)
            f.bits.push_back(bitsOf(c));
    }
    f.bits.push_back(bitsOf(trajcore::departureAngle()));
    int16_t start = 1;
    for (int range = 0; range <= int(record.maxRange); ++range) {
        SolverRow row{};
        start = trajcore::printOneLine(&row, float(range), start);
        f.rows.push_back(row);
    }
    EXPECT_EQ(trajcore::memDeAlloc(), 0);
    return f;
}

std::string describe(const SolverRecord& r) {
    std::ostringstream s;
    s << "v0 " << r.muzzleVelocity << " bc " << r.ballisticCoef << " t " << r.flightTime
      << " range " << r.maxRange << " sight " << r.sightHeight << " wind " << r.windSpeed
      << " angle " << r.departureAngle << " zero " << r.zeroRange << " bands " << r.lowerBc << "@"
      << r.lowerVel << " " << r.lowestBc << "@" << r.lowestVel << " code " << r.dragModel
      << " zeroed " << r.isZeroed << " metric " << r.isMetric;
    return s.str();
}

// Runs both integrations; true when they agree in every bit.
bool sameFlight(const SolverRecord& record, int16_t steps) {
    const Flight plain = fly(record, false, steps), fast = fly(record, true, steps);
    for (std::size_t i = 0; i < plain.bits.size(); ++i)
        if (plain.bits[i] != fast.bits[i]) {
            ADD_FAILURE() << "entry " << i / 7 << " value " << i % 7 << " differs for "
                          << describe(record);
            return false;
        }
    for (std::size_t i = 0; i < plain.rows.size(); ++i)
        if (std::memcmp(&plain.rows[i], &fast.rows[i], sizeof(SolverRow)) != 0) {
            ADD_FAILURE() << "row " << i << " differs for " << describe(record);
            return false;
        }
    return true;
}

bool sameFlight(const SolverRecord& record) {
    return sameFlight(record, stepsFor(record));
}

// Records as the program makes them, drawn from a fixed seed. The mapping from the generator's
// integers is written out, so every platform draws the same records.
class RecordDraw {
public:
    explicit RecordDraw(uint32_t seed) : gen(seed) {}

    SolverRecord next() {
        SolverRecord r{};
        r.muzzleVelocity = uniform(300, 4500);
        r.ballisticCoef = float(std::exp(uniform(std::log(0.05), std::log(1.0))));
        r.flightTime = kFlightTimes[index(4)];
        r.maxRange = std::round(uniform(100, 2000));
        r.sightHeight = uniform(0, 4);
        r.windSpeed = index(4) == 0 ? 0.0f : uniform(-30, 30);
        r.isZeroed = int16_t(index(3) != 0);
        r.zeroRange = r.isZeroed ? std::round(uniform(25, r.maxRange)) : 0;
        r.departureAngle = r.isZeroed ? 0.0f : uniform(-0.5, 1.5);
        const int bands = index(3); // none, one, or two lower coefficients
        if (bands > 0) {
            r.lowerVel = uniform(400, r.muzzleVelocity);
            r.lowerBc = r.ballisticCoef * uniform(0.6, 1.1);
        }
        if (bands > 1) {
            r.lowestVel = uniform(300, r.lowerVel);
            r.lowestBc = r.ballisticCoef * uniform(0.3, 1.0);
        }
        r.dragModel = kCodes[index(std::size(kCodes))];
        r.isMetric = int16_t(index(2));
        r.stepRate = int16_t(stepsFor(r) / r.flightTime);
        return r;
    }

private:
    float uniform(double low, double high) { return float(low + (high - low) * (gen() / 0x1p32)); }
    std::size_t index(std::size_t count) { return std::size_t(gen() % count); }

    std::mt19937 gen;
};

TEST(FastIntegration, MatchesThePlainRunOnRandomRecords) {
    RecordDraw draw(20240516);
    int same = 0;
    for (int i = 0; i < 420; ++i)
        same += sameFlight(draw.next());
    EXPECT_EQ(same, 420);
}

SolverRecord typical() {
    SolverRecord r{};
    r.muzzleVelocity = 2635;
    r.ballisticCoef = 0.495f;
    r.flightTime = 2;
    r.maxRange = 1000;
    r.sightHeight = 2.6f;
    r.windSpeed = 10;
    r.zeroRange = 127;
    r.isZeroed = 1;
    return r;
}

TEST(FastIntegration, MatchesAtTheEdgesOfTheFields) {
    for (float v0 : {300.0f, 4500.0f})
        for (float bc : {0.001f, 1.0f})
            for (int16_t code : {int16_t(0), int16_t(2), int16_t(7), int16_t(11)}) {
                SolverRecord r = typical();
                r.muzzleVelocity = v0;
                r.ballisticCoef = bc;
                r.dragModel = code;
                EXPECT_TRUE(sameFlight(r));
                EXPECT_TRUE(sameFlight(r, 1));
            }
    SolverRecord longest = typical();
    longest.maxRange = 2047.9f;
    EXPECT_TRUE(sameFlight(longest, 32767));
    SolverRecord unreached = typical(); // zeroed beyond the flight: extrapolated
    unreached.muzzleVelocity = 900;
    unreached.zeroRange = 2000;
    EXPECT_TRUE(sameFlight(unreached));
}

// The speed at the first evaluation, as the solver computes it, lands exactly on a zone bound:
// an unzeroed shot a little slower than the bound, a crosswind that makes up most of the
// difference and a tiny departure angle for the rest, tried until the sum rounds onto the bound.
bool hitsBound(const trajcore::DragModel& model, double bound, SolverRecord& r) {
    const double target = bound / model.speedFactor; // m/s
    float v0 = float(target / 0.3048);
    for (int i = 0; i < 100; ++i) {
        v0 = std::nextafter(v0, 0.0f);
        const float v = v0 * 0.3048f; // the solver's conversions throughout
        const float mph =
            std::nextafter(float(std::sqrt(target * target - double(v) * v) / 0.44704), 0.0f);
        const float uz = 0.0f - mph * 0.44704f;
        const double missing = target * target - (double(v) * v + double(uz) * uz);
        if (!(missing > 0)) continue;
        float degrees = float(std::asin(std::sqrt(missing) / v) / 0.017453292);
        for (int j = 0; j < 40; ++j, degrees = std::nextafter(degrees, 1.0f)) {
            const float radians = degrees * 0.017453292f;
            const float vx = v * float(std::cos(double(radians)));
            const float vy = v * float(std::sin(double(radians)));
            const double q = double(vx) * vx + double(vy) * vy + double(uz) * uz;
            if (std::sqrt(q) * model.speedFactor == bound) {
                r.muzzleVelocity = v0;
                r.windSpeed = mph;
                r.departureAngle = degrees;
                return true;
            }
        }
    }
    return false;
}

TEST(FastIntegration, MatchesWhereTheSpeedSitsExactlyOnAZoneBound) {
    int hits = 0;
    for (int16_t code : {int16_t(0), int16_t(1), int16_t(7), int16_t(10)}) {
        const trajcore::DragModel& model = trajcore::dragModel(code);
        for (std::size_t z = 0; z + 1 < model.zones.size(); z += 3) {
            SolverRecord r = typical();
            r.isZeroed = 0;
            r.dragModel = code;
            if (!hitsBound(model, model.zones[z].bound, r)) continue;
            ++hits;
            EXPECT_TRUE(sameFlight(r)) << model.name << " at " << model.zones[z].bound;
        }
    }
    EXPECT_GE(hits, 30);
}

// A band switch at the second stage of a step: the lower band starts a quarter of the way
// between two entries of the unbanded run, so the step's first point lies above it and its
// midpoints below.
TEST(FastIntegration, MatchesWhenABandSwitchesMidStep) {
    for (int k : {1, 101, 4000, 9999}) {
        SolverRecord r = typical();
        r.isZeroed = 0;
        const int16_t steps = stepsFor(r);
        trajcore::memAlloc(steps);
        trajcore::calcPre(&r);
        float t, a[6], b[6];
        trajcore::tableEntry(k, t, a);
        trajcore::tableEntry(k + 1, t, b);
        trajcore::memDeAlloc();
        r.lowerVel = (a[0] - 0.25f * (a[0] - b[0])) / 0.3048f;
        r.lowerBc = 0.3f;
        r.lowestVel = r.lowerVel - 300;
        r.lowestBc = 0.2f;
        EXPECT_TRUE(sameFlight(r)) << "step " << k + 1;
    }
}

TEST(FastIntegration, RarelyFallsBackToTheExactWayForTypicalLoads) {
    for (int16_t code : {int16_t(0), int16_t(7)}) {
        SolverRecord r = typical();
        r.dragModel = code;
        trajcore::resetFastRunFallbacks();
        trajcore::memAlloc(stepsFor(r));
        trajcore::calcPre(&r);
        trajcore::memDeAlloc();
        // Four evaluations a step; zone crossings and rounding near-ties take a few hundred.
        EXPECT_LT(trajcore::fastRunFallbacks(), 4 * stepsFor(r) / 100) << code;
    }
}

} // namespace
