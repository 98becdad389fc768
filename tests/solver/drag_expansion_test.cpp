// The pieces the fast integration rests on: the drag polynomial's accuracy and reach, the
// packed slopes' certainty check, and the band watch.
#include "DragExpansion.h"
#include "Motion.h"
#include "PackedSlopes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>

using namespace trajcore;

namespace {

constexpr int16_t kCodes[] = {0, 1, 2, 5, 6, 7, 8, 10, 11};
constexpr float kCoef = 0.37f;

// The expansion's own polynomial, in long double so that only its coefficients count.
long double polynomial(const DragExpansion& e, double q) {
    const long double dq = (long double)q - e.anchorPair()[0];
    long double sum = 0;
    for (int k = DragExpansion::kTerms - 1; k >= 0; --k)
        sum = sum * dq + e.termPair(k)[0];
    return sum;
}

TEST(DragExpansion, FollowsTheExactDragWithinItsBudgetInsideItsZoneAndReach) {
    for (int16_t code : kCodes) {
        const DragModel& model = dragModel(code);
        SCOPED_TRACE(model.name);
        int covered = 0, tried = 0;
        for (double speed = 60; speed < 1400; speed *= 1.07) {
            std::size_t zone = 0;
            const double q0 = speed * speed;
            const DragExpansion e = DragExpansion::around(model, kCoef, q0, zone);
            for (double r = -0x1p-9; r <= 0x1p-9; r += 0x1p-13) {
                const double q = q0 * (1 + r);
                ++tried;
                if (!e.covers(q)) continue;
                ++covered;
                const double exact = dragPerSpeed(model, kCoef, q);
                EXPECT_LE(std::abs(polynomial(e, q) - exact), 0x1p-44 * exact) << speed << " " << r;
                EXPECT_EQ(&zoneAt(model, std::sqrt(q) * model.speedFactor), &model.zones[zone]);
            }
            EXPECT_FALSE(e.covers(q0 * (1 + 0x1p-8)));
            EXPECT_FALSE(e.covers(q0 * (1 - 0x1p-8)));
        }
        EXPECT_GT(covered, tried * 9 / 10);
        // A speed on a bound belongs to the zone below; neither side reaches across.
        const double bound = model.zones[1].bound / model.speedFactor;
        std::size_t zone = 0;
        const double onBound = bound * bound, justAbove = onBound * (1 + 0x1p-45);
        EXPECT_FALSE(DragExpansion::around(model, kCoef, onBound * 0.9999, zone).covers(justAbove));
        EXPECT_FALSE(DragExpansion::around(model, kCoef, onBound * 1.0001, zone).covers(onBound));
    }
    EXPECT_FALSE(DragExpansion().covers(1e5));
}

uint32_t bitsOf(float f) {
    uint32_t b;
    std::memcpy(&b, &f, sizeof b);
    return b;
}

// Relative distance of a double from the nearest midpoint between the float it rounds to and
// that float's neighbours.
double midpointDistance(double d) {
    const float f = float(d);
    const double down = (double(f) + double(std::nextafter(f, -INFINITY))) / 2;
    const double up = (double(f) + double(std::nextafter(f, INFINITY))) / 2;
    return std::min(d - down, up - d) / std::abs(d);
}

TEST(PackedSlopes, KeepsOnlySlopesThatEqualTheExactOnesAndDoubtsNearTies) {
    std::mt19937 gen(7);
    auto around = [&gen](double centre, double spread) {
        return float(centre + spread * (gen() / 0x1p31 - 1));
    };
    for (int16_t code : {int16_t(0), int16_t(7)}) {
        const DragModel& model = dragModel(code);
        const float wind = 4.2f;
        const PackedConstants constants(wind);
        std::size_t zone = 0;
        const DragExpansion e = DragExpansion::around(model, kCoef, 800.0 * 800.0, zone);
        int certain = 0, samples = 0, nearTies = 0;
        for (int i = 0; i < (1 << 18); ++i) {
            const float vx = around(800, 0.3), vy = around(0, 20), vz = around(wind, 3);
            const float ux = vx, uy = vy, uz = vz - wind;
            const double q = squaredAirspeed(ux, uy, uz);
            if (!e.covers(q)) continue;
            ++samples;
            const double p = dragPerSpeed(model, kCoef, q);
            float exact[kComponents];
            velocitySlopes(p, ux, uy, uz, exact);
            const StageSlopes s =
                packedSlopes(e, {_mm_setr_ps(vx, vy, 0, 0), _mm_setr_ps(vz, vz, 0, 0)}, constants);
            float xy[4], z[4];
            _mm_storeu_ps(xy, s.slopes.xy);
            _mm_storeu_ps(z, s.slopes.z);
            const bool tie = midpointDistance(-p * ux) < 0x1p-40 ||
                             midpointDistance(-p * uy - kGravity) < 0x1p-40 ||
                             midpointDistance(-p * uz) < 0x1p-40;
            nearTies += tie;
            const int doubt = stageDoubt(s, constants);
            if (tie) {
                EXPECT_NE(doubt, 0) << vx << " " << vy << " " << vz;
            }
            if (doubt != 0) continue;
            ++certain;
            EXPECT_EQ(bitsOf(xy[0]), bitsOf(exact[Vx]));
            EXPECT_EQ(bitsOf(xy[1]), bitsOf(exact[Vy]));
            EXPECT_EQ(bitsOf(z[0]), bitsOf(exact[Vz]));
        }
        EXPECT_GT(nearTies, 0); // the doubt above was put to the test
        EXPECT_GT(certain, samples * 99 / 100);
        EXPECT_GT(samples, 1 << 16);
    }
}

TEST(PackedSlopes, ALateralSlopeWithoutWindIsMinusZeroAndAMinusZeroAirspeedIsLeftToTheExactWay) {
    const DragModel& model = dragModel(0);
    std::size_t zone = 0;
    const DragExpansion e = DragExpansion::around(model, kCoef, 700.0 * 700.0, zone);
    const PackedConstants still(0.0f);
    const StageSlopes calm =
        packedSlopes(e, {_mm_setr_ps(700, 3, 0, 0), _mm_setr_ps(0, 0, 0, 0)}, still);
    float z[4];
    _mm_storeu_ps(z, calm.slopes.z);
    EXPECT_EQ(stageDoubt(calm, still), 0);
    EXPECT_EQ(bitsOf(z[0]), bitsOf(-0.0f)); // as -(P * +0)
    const StageSlopes minusZero =
        packedSlopes(e, {_mm_setr_ps(700, 3, 0, 0), _mm_setr_ps(-0.0f, -0.0f, 0, 0)}, still);
    EXPECT_NE(stageDoubt(minusZero, still), 0);
}

TEST(BandWatch, AgreesWithTheBandRuleEverywhere) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float coefs[] = {0, 0.001f, 0.3f, 0.5f, nan};
    const float speeds[] = {90, 180, nan};
    const float probes[] = {-INFINITY, 0,       89.99f, 90,       90.01f, 150,
                            180,       180.01f, 300,    INFINITY, nan};
    for (float lowerBc : coefs)
        for (float lowestBc : coefs)
            for (float lowerVel : speeds)
                for (float lowestVel : speeds)
                    for (float inUse : {0.5f, 0.3f, 0.001f}) {
                        SolverRecord r{};
                        r.lowerBc = lowerBc;
                        r.lowestBc = lowestBc;
                        r.lowerVel = lowerVel;
                        r.lowestVel = lowestVel;
                        const CoefficientBands bands(r);
                        const BandWatch watch(bands, inUse);
                        for (float vx : probes)
                            EXPECT_EQ(watch.switches(vx), bands.after(vx, inUse) != inUse)
                                << lowerBc << "@" << lowerVel << " " << lowestBc << "@" << lowestVel
                                << " in use " << inUse << " vx " << vx;
                    }
}

} // namespace
