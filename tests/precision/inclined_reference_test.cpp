// The precision engine against a reference written apart from it: a plain point-mass integration
// in the vertical plane, with the air worked out from first principles at every step (the
// standard lapse rate from the station's temperature, the barometric formula from its pressure,
// dry air) and the G7 coefficients interpolated linearly. Steep shots at altitude, where holding
// the station's air along the path would miss, must agree within the tables' tolerances.
#include "precision_support.h"

#include <array>
#include <cmath>
#include <numbers>

using namespace precision;
using namespace precision_test;

namespace {

constexpr double LapseRPerFt = 0.0035662; // 6.5 K per km
constexpr double RankineOffset = 459.67;
constexpr double BarometricExponent = 5.25588; // g M / (R L)
constexpr double StandardRankine = 518.67;     // 59 F
constexpr double StandardInHg = 29.92126;
constexpr double DragConstant = 2.08551e-4; // the BC's definition: lb/in^2 against ft/s

struct Reference {
    double timeS = 0, velocityFps = 0, heightIn = 0;
};

double linearCd(const DragCurve& curve, double mach) {
    if (mach <= curve.mach.front()) return curve.cd.front();
    for (std::size_t i = 1; i < curve.mach.size(); ++i)
        if (mach <= curve.mach[i]) {
            const double f = (mach - curve.mach[i - 1]) / (curve.mach[i] - curve.mach[i - 1]);
            return curve.cd[i - 1] + f * (curve.cd[i] - curve.cd[i - 1]);
        }
    return curve.cd.back();
}

// Flies the shot from the sight's height below the line of sight at `elevationRad` above it and
// reports where it crosses each range along the line of sight.
std::vector<Reference> referenceFlight(const Shot& shot, const DragCurve& curve,
                                       double elevationRad, const std::vector<double>& rangesYd) {
    const double slope = shot.slopeDeg * std::numbers::pi / 180;
    const std::array<double, 2> along{std::cos(slope), std::sin(slope)};
    const std::array<double, 2> up{-std::sin(slope), std::cos(slope)};
    const double stationR = shot.temperatureF + RankineOffset;
    auto accel = [&](const std::array<double, 4>& s) {
        const double kelvinLike = stationR - LapseRPerFt * s[1];
        const double pressure =
            shot.pressureInHg * std::pow(kelvinLike / stationR, BarometricExponent);
        const double density = (pressure / StandardInHg) * (StandardRankine / kelvinLike);
        const double speed = std::hypot(s[2], s[3]);
        const double mach = speed / (49.0223 * std::sqrt(kelvinLike));
        const double k = density * DragConstant / shot.bc * linearCd(curve, mach) * speed;
        return std::array<double, 2>{-k * s[2], -k * s[3] - 32.174};
    };
    const double sightFt = shot.sightHeightIn / 12;
    const double launch = slope + elevationRad;
    std::array<double, 4> s{-sightFt * up[0], -sightFt * up[1],
                            shot.muzzleVelocityFps * std::cos(launch),
                            shot.muzzleVelocityFps * std::sin(launch)};
    std::vector<Reference> out;
    double t = 0;
    const double dt = 0.0002;
    std::size_t next = 0;
    while (next < rangesYd.size() && t < 10) {
        const auto rk = [&](const std::array<double, 4>& x, const std::array<double, 4>& d,
                            double h) {
            std::array<double, 4> y{};
            for (int i = 0; i < 4; ++i)
                y[std::size_t(i)] = x[std::size_t(i)] + h * d[std::size_t(i)];
            return y;
        };
        const auto deriv = [&](const std::array<double, 4>& x) {
            const auto a = accel(x);
            return std::array<double, 4>{x[2], x[3], a[0], a[1]};
        };
        const auto k1 = deriv(s), k2 = deriv(rk(s, k1, dt / 2)), k3 = deriv(rk(s, k2, dt / 2)),
                   k4 = deriv(rk(s, k3, dt));
        std::array<double, 4> after{};
        for (std::size_t i = 0; i < 4; ++i)
            after[i] = s[i] + dt / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        const double r0 = s[0] * along[0] + s[1] * along[1];
        const double r1 = after[0] * along[0] + after[1] * along[1];
        while (next < rangesYd.size() && r1 >= rangesYd[next] * 3) {
            const double f = (rangesYd[next] * 3 - r0) / (r1 - r0); // linear within 0.2 ms
            std::array<double, 4> at{};
            for (std::size_t i = 0; i < 4; ++i)
                at[i] = s[i] + f * (after[i] - s[i]);
            out.push_back(
                {t + f * dt, std::hypot(at[2], at[3]), 12 * (at[0] * up[0] + at[1] * up[1])});
            ++next;
        }
        s = after;
        t += dt;
    }
    return out;
}

struct Case {
    double slopeDeg, altitudeFt, temperatureF, pressureInHg;
};

TEST(InclinedReference, SteepShotsAtAltitudeAgreeWithAPlainIntegrationOfTheAirAlongThePath) {
    const DragCurve g7 = shippedCurve("G7");
    // Station pressures of the standard atmosphere at 8,000 and 5,000 ft (22.22 and 24.90 inHg),
    // and a cold, high-pressure day at sea level.
    for (const Case c : {Case{35, 8000, 30, 22.22}, Case{-35, 8000, 30, 22.22},
                         Case{20, 5000, 41, 24.90}, Case{-30, 0, 10, 30.40}}) {
        SCOPED_TRACE(testing::Message() << c.slopeDeg << " deg at " << c.altitudeFt << " ft");
        Shot shot = typical308();
        shot.slopeDeg = c.slopeDeg;
        shot.altitudeFt = c.altitudeFt;
        shot.temperatureF = c.temperatureF;
        shot.powderTemperatureF = c.temperatureF;
        shot.pressureInHg = c.pressureInHg;
        const std::vector<double> ranges{200, 400, 600, 800, 1000, 1200, 1500};
        const auto elevation = zeroElevationRad(shot, g7);
        ASSERT_TRUE(elevation);
        const auto engine = solve(shot, g7, ranges);
        const auto reference = referenceFlight(shot, g7, *elevation, ranges);
        ASSERT_EQ(engine.size(), ranges.size());
        ASSERT_EQ(reference.size(), ranges.size());
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            SCOPED_TRACE(ranges[i]);
            const Reference& r = reference[i];
            const bool near = ranges[i] <= 1000;
            EXPECT_NEAR(engine[i].heightIn, r.heightIn,
                        (near ? 0.005 : 0.01) * std::abs(r.heightIn) + (near ? 0.3 : 0.5));
            EXPECT_NEAR(engine[i].velocityFps, r.velocityFps, 0.005 * r.velocityFps);
            EXPECT_NEAR(engine[i].timeS, r.timeS, 0.003 * r.timeS);
        }
    }
}

} // namespace
