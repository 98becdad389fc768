#include "RungeKutta.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// y' = -y^2 with y(0) = 1 has y = 1 / (1 + t); its integral x' = y has x = ln(1 + t).
struct Decay {
    template <typename Real> void operator()(const Real* v, Real* slope) const {
        slope[0] = -v[0] * v[0];
        slope[1] = v[0];
    }
};

template <typename Real> double errorAfter(int steps, double span) {
    Real v[2] = {Real(1), Real(0)};
    Real k1[2], k2[2], k3[2], trial[2];
    const trajcore::RungeKuttaWork<Real> work{k2, k3, trial};
    const Real h = Real(span / steps);
    const Decay f;
    for (int k = 0; k < steps; ++k) {
        f(v, k1);
        trajcore::rungeKuttaStep<2>(v, k1, h, work, v, f);
    }
    const double t = double(h) * steps;
    return std::abs(double(v[0]) - 1.0 / (1.0 + t)) + std::abs(double(v[1]) - std::log1p(t));
}

TEST(RungeKuttaStep, GlobalErrorFallsWithTheFourthPowerOfTheStep) {
    // From 32 steps on the error is in its asymptotic regime.
    double previous = errorAfter<double>(32, 4.0);
    for (int steps = 64; steps <= 256; steps *= 2) {
        const double error = errorAfter<double>(steps, 4.0);
        const double ratio = previous / error;
        EXPECT_GT(ratio, 13.0) << steps << " steps";
        EXPECT_LT(ratio, 19.0) << steps << " steps";
        previous = error;
    }
}

TEST(RungeKuttaStep, SinglePrecisionReachesRoundingLevel) {
    EXPECT_LT(errorAfter<float>(64, 4.0), 2e-6);
    EXPECT_NEAR(errorAfter<float>(16, 4.0), errorAfter<double>(16, 4.0), 1e-6);
}

TEST(RungeKuttaStep, ConstantAccelerationIsIntegratedExactly) {
    // Fall from rest: the solution is a polynomial of degree 2, which the step reproduces.
    const auto fall = [](const double* v, double* slope) {
        slope[0] = -9.818;
        slope[1] = v[0];
    };
    double v[2] = {0, 0};
    double k1[2], k2[2], k3[2], trial[2];
    const trajcore::RungeKuttaWork<double> work{k2, k3, trial};
    for (int k = 0; k < 3; ++k) {
        fall(v, k1);
        trajcore::rungeKuttaStep<2>(v, k1, 0.5, work, v, fall);
    }
    EXPECT_NEAR(v[0], -9.818 * 1.5, 1e-12);
    EXPECT_NEAR(v[1], -0.5 * 9.818 * 1.5 * 1.5, 1e-12);
}

} // namespace
