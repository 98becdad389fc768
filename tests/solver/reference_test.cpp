// The solver against an independent double-precision integration of the same equations with a
// step about a tenth of the solver's, so the differences left are the solver's single-precision
// storage and its two-pass zeroing.
#include "DragTables.h"
#include "SolverBackend.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace {

struct Point {
    double t, vx, x, vy, y, vz, z;
};

class ReferenceFlight {
public:
    explicit ReferenceFlight(const SolverRecord& r)
        : code(r.dragModel), coef(r.ballisticCoef), v0(r.muzzleVelocity * 0.3048),
          wind(r.windSpeed * 0.44704), y0(r.isZeroed ? -r.sightHeight * 0.0254 : 0.0) {}

    // Points at the given downrange distances (m, increasing), flying at `angle` radians.
    std::vector<Point> at(const std::vector<double>& distances, double angle) const {
        std::array<double, 6> s = {v0 * std::cos(angle), 0, v0 * std::sin(angle), y0, 0, 0};
        std::vector<Point> out;
        double t = 0;
        std::size_t next = 0;
        while (next < distances.size() && t < 10) {
            const std::array<double, 6> n = step(s);
            while (next < distances.size() && n[1] >= distances[next]) {
                const double f = (distances[next] - s[1]) / (n[1] - s[1]);
                auto mix = [&](int c) { return s[c] + f * (n[c] - s[c]); };
                out.push_back({t + f * kStep, mix(0), mix(1), mix(2), mix(3), mix(4), mix(5)});
                ++next;
            }
            s = n;
            t += kStep;
        }
        return out;
    }

    // The angle that puts the flight on the line of sight at `zero` m, by the secant method.
    double zeroAngle(double zero) const {
        double a0 = 0, a1 = 0.002;
        double y0miss = at({zero}, a0)[0].y, y1miss = at({zero}, a1)[0].y;
        for (int i = 0; i < 20 && std::abs(y1miss) > 1e-12; ++i) {
            const double a2 = a1 - y1miss * (a1 - a0) / (y1miss - y0miss);
            a0 = a1;
            y0miss = y1miss;
            a1 = a2;
            y1miss = at({zero}, a1)[0].y;
        }
        return a1;
    }

private:
    static constexpr double kStep = 1e-5; // s

    std::array<double, 6> slope(const std::array<double, 6>& s) const {
        const double ux = s[0], uy = s[2], uz = s[4] - wind;
        const double speed = std::sqrt(ux * ux + uy * uy + uz * uz);
        const double j = trajcore::dragRetardation(code, speed) / coef / speed;
        return {-j * ux, s[0], -j * uy - 9.818, s[2], -j * uz, s[4]};
    }

    std::array<double, 6> step(const std::array<double, 6>& s) const {
        auto plus = [](const std::array<double, 6>& a, const std::array<double, 6>& k, double h) {
            std::array<double, 6> r;
            for (int i = 0; i < 6; ++i)
                r[i] = a[i] + h * k[i];
            return r;
        };
        const auto k1 = slope(s);
        const auto k2 = slope(plus(s, k1, kStep / 2));
        const auto k3 = slope(plus(s, k2, kStep / 2));
        const auto k4 = slope(plus(s, k3, kStep));
        std::array<double, 6> r;
        for (int i = 0; i < 6; ++i)
            r[i] = s[i] + kStep / 6 * (k1[i] + 2 * k2[i] + 2 * k3[i] + k4[i]);
        return r;
    }

    int16_t code;
    double coef, v0, wind, y0;
};

struct Case {
    const char* name;
    SolverRecord record;
};

std::vector<Case> cases() {
    SolverRecord g1 = typicalLoad();
    g1.ballisticCoef = 0.495f;
    g1.muzzleVelocity = 2635;
    g1.sightHeight = 2.6f;
    g1.zeroRange = 127;

    SolverRecord g7 = typicalLoad();
    g7.dragModel = 7;
    g7.ballisticCoef = 0.243f;
    g7.muzzleVelocity = 2820;
    g7.windSpeed = 10;
    g7.zeroRange = 200;

    SolverRecord mayevski = typicalLoad();
    mayevski.dragModel = 10;
    mayevski.ballisticCoef = 0.35f;
    mayevski.muzzleVelocity = 3100;
    mayevski.windSpeed = -7;
    mayevski.zeroRange = 300;
    return {{"G1", g1}, {"G7", g7}, {"Mayevski", mayevski}};
}

TEST(ReferenceIntegration, RowsAgreeWithADoublePrecisionIntegration) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        const ReferenceFlight reference(c.record);
        const double angle = reference.zeroAngle(c.record.zeroRange * 0.9144);
        std::vector<double> distances;
        for (int yards = 100; yards <= 1000; yards += 100)
            distances.push_back(yards * 0.9144);
        const std::vector<Point> expected = reference.at(distances, angle);
        ASSERT_EQ(expected.size(), distances.size());

        HeldTrajectory held(solverBackend("c++"), c.record);
        ASSERT_EQ(held.computeResult(), 11);
        EXPECT_NEAR(trajcore::departureAngle(), angle, 2e-7);
        for (std::size_t i = 0; i < distances.size(); ++i) {
            const double hundreds = double(i + 1); // range in hundreds of yards
            const SolverRow row = held.row(float(100 * hundreds));
            const Point& p = expected[i];
            SCOPED_TRACE(100 * hundreds);
            EXPECT_NEAR(row.t, p.t, 2e-6 * hundreds);
            EXPECT_NEAR(row.V, std::sqrt(p.vx * p.vx + p.vy * p.vy + p.vz * p.vz) / 0.3048,
                        0.01 * hundreds);
            EXPECT_NEAR(row.y, p.y / 0.0254, 0.002 * hundreds * hundreds);
            EXPECT_NEAR(row.z, p.z / 0.0254, 0.002 * hundreds * hundreds);
            EXPECT_NEAR(row.Vy, p.vy / 0.3048, 0.01 * hundreds);
        }
    }
}

} // namespace
