#include "precision/BcFit.h"

#include "precision/Precision.h"

#include <array>
#include <cmath>

namespace precision {

namespace {

constexpr double lowestBc = 0.01, highestBc = 5.0;
constexpr double toleranceIn = 1e-4;

std::optional<double> heightAt(const Shot& shot, const DragCurve& drag, double rangeYd) {
    const std::array<double, 1> range{rangeYd};
    const auto points = solve(shot, drag, range);
    if (points.empty()) return std::nullopt;
    return points.front().heightIn;
}

} // namespace

std::optional<double> equivalentBc(const Shot& shot, const DragCurve& from, const DragCurve& to,
                                   double rangeYd) {
    Shot level = shot;
    level.slopeDeg = 0;
    level.windMph = 0;
    level.latitudeDeg.reset();
    const std::optional<double> target = heightAt(level, from, rangeYd);
    if (!target) return std::nullopt;
    // The height rises with the coefficient; bisection on its logarithm, as coefficients span
    // two orders of magnitude. A coefficient too low for the bullet to reach the range (or its
    // zero) counts as too low.
    const auto miss = [&](double bc) {
        level.bc = bc;
        const std::optional<double> height = heightAt(level, to, rangeYd);
        return height ? *height - *target : -INFINITY;
    };
    double low = std::log(lowestBc), high = std::log(highestBc);
    if (miss(std::exp(low)) > 0 || miss(std::exp(high)) < 0) return std::nullopt;
    for (int i = 0; i < 60; ++i) {
        const double middle = (low + high) / 2;
        const double m = miss(std::exp(middle));
        if (std::abs(m) < toleranceIn) return std::exp(middle);
        (m < 0 ? low : high) = middle;
    }
    return std::exp((low + high) / 2);
}

} // namespace precision
