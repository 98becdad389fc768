// One classical fourth-order Runge-Kutta step for an autonomous system of N equations.
// Templated on the number type so the same step can be checked in double precision.
#pragma once

#include <cstddef>

namespace trajcore {

// Scratch space for one step, N values each: two stage slopes and the trial point.
template <typename Real> struct RungeKuttaWork {
    Real* k2;
    Real* k3;
    Real* trial;
};

// Advances v by one step h into out, given k1 = f(v); f(point, slope) writes the derivative at
// point into slope. out may be v itself.
template <std::size_t N, typename Real, typename Derivative>
inline void rungeKuttaStep(const Real* v, const Real* k1, Real h, const RungeKuttaWork<Real>& w,
                           Real* out, Derivative&& f) {
    const Real half = h * Real(0.5);
    for (std::size_t j = 0; j < N; ++j)
        w.trial[j] = v[j] + half * k1[j];
    f(w.trial, w.k2);
    for (std::size_t j = 0; j < N; ++j)
        w.trial[j] = v[j] + half * w.k2[j];
    f(w.trial, w.k3);
    for (std::size_t j = 0; j < N; ++j) {
        w.trial[j] = v[j] + h * w.k3[j];
        w.k3[j] = w.k2[j] + w.k3[j]; // both middle slopes, each weighted 2 below
    }
    Real k4[N];
    f(w.trial, k4);
    // Weights 1, 2, 2, 1 over 6; in single precision the factor is 0.16666667.
    const Real sixth = h * (Real(1) / Real(6));
    for (std::size_t j = 0; j < N; ++j)
        out[j] = v[j] + sixth * (k1[j] + k4[j] + Real(2) * w.k3[j]);
}

} // namespace trajcore
