#include "load/HitMath.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace HitMath {

double groupSigmaIn(double groupMoa, double rangeYd) {
    return groupMoa / FiveShotSpreadPerSigma * InchesPerMoaAt100Yd * rangeYd / 100.0;
}

double insideHalfWidth(double half, double sigma) {
    if (half <= 0) return 0;
    if (sigma <= 0) return 1;
    return std::erf(half / (sigma * std::numbers::sqrt2));
}

double rectangleProbability(double widthIn, double heightIn, double sigmaVIn, double sigmaHIn) {
    return insideHalfWidth(widthIn / 2, sigmaHIn) * insideHalfWidth(heightIn / 2, sigmaVIn);
}

double circleProbability(double diameterIn, double sigmaVIn, double sigmaHIn) {
    const double r = diameterIn / 2;
    if (r <= 0) return 0;
    if (sigmaHIn <= 0) return insideHalfWidth(r, sigmaVIn);
    // Over x = r sin(t) across the circle: the density of x times the chance that y is inside
    // the chord r cos(t). The substitution removes the square-root edge, so Simpson's rule
    // converges fast.
    constexpr int Panels = 400;
    const double half = std::numbers::pi / 2, h = 2 * half / Panels;
    const double norm = 1 / (sigmaHIn * std::sqrt(2 * std::numbers::pi));
    auto f = [&](double t) {
        const double x = r * std::sin(t), chord = r * std::cos(t);
        return norm * std::exp(-x * x / (2 * sigmaHIn * sigmaHIn)) *
               insideHalfWidth(chord, sigmaVIn) * chord;
    };
    double sum = f(-half) + f(half);
    for (int i = 1; i < Panels; ++i)
        sum += f(-half + i * h) * (i % 2 ? 4 : 2);
    return std::clamp(sum * h / 3, 0.0, 1.0);
}

} // namespace HitMath
