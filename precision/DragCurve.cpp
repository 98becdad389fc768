#include "precision/DragCurve.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <optional>

namespace precision {

namespace {

// The slope at an end knot: the three-point one-sided estimate, limited so that the curve keeps
// the monotony of the first interval (h0, d0: the end interval's width and secant; h1, d1: the
// next one's).
double endSlope(double h0, double h1, double d0, double d1) {
    const double slope = ((2 * h0 + h1) * d0 - h0 * d1) / (h0 + h1);
    if (slope * d0 <= 0) return 0;
    if (d0 * d1 < 0 && std::abs(slope) > 3 * std::abs(d0)) return 3 * d0;
    return slope;
}

// Fritsch-Carlson slopes: the weighted harmonic mean of the neighbouring secants, or 0 at a
// local extremum, which keeps every interval monotone.
double knotSlope(const std::vector<double>& x, const std::vector<double>& y, std::size_t k) {
    const std::size_t n = x.size();
    const auto width = [&](std::size_t i) { return x[i + 1] - x[i]; };
    const auto secant = [&](std::size_t i) { return (y[i + 1] - y[i]) / width(i); };
    if (n == 2) return secant(0);
    if (k == 0) return endSlope(width(0), width(1), secant(0), secant(1));
    if (k == n - 1) return endSlope(width(n - 2), width(n - 3), secant(n - 2), secant(n - 3));
    const double d0 = secant(k - 1), d1 = secant(k);
    if (d0 * d1 <= 0) return 0;
    const double w0 = 2 * width(k) + width(k - 1), w1 = width(k) + 2 * width(k - 1);
    return (w0 + w1) / (w0 / d0 + w1 / d1);
}

// The cubic on interval i (mach[i] <= m <= mach[i + 1]) with slopes d0 and d1 at its ends.
double onInterval(const DragCurve& c, std::size_t i, double m, double d0, double d1) {
    const double h = c.mach[i + 1] - c.mach[i];
    const double s = (m - c.mach[i]) / h;
    const double s2 = s * s, s3 = s2 * s;
    return (2 * s3 - 3 * s2 + 1) * c.cd[i] + (s3 - 2 * s2 + s) * h * d0 +
           (-2 * s3 + 3 * s2) * c.cd[i + 1] + (s3 - s2) * h * d1;
}

// The first or last coefficient when m is outside the table (or the table has one point).
std::optional<double> outside(const DragCurve& c, double m) {
    if (c.cd.empty()) return 0.0;
    if (c.cd.size() == 1 || !(m > c.mach.front())) return c.cd.front();
    if (m >= c.mach.back()) return c.cd.back();
    return std::nullopt;
}

} // namespace

double DragCurve::cdAt(double machNumber) const {
    if (const auto end = outside(*this, machNumber)) return *end;
    const std::size_t i =
        std::size_t(std::upper_bound(mach.begin(), mach.end(), machNumber) - mach.begin()) - 1;
    return onInterval(*this, i, machNumber, knotSlope(mach, cd, i), knotSlope(mach, cd, i + 1));
}

DragLookup::DragLookup(const DragCurve& curve) {
    if (curve.cd.empty()) return;
    firstMach_ = curve.mach.front();
    lastMach_ = curve.cd.size() > 1 ? curve.mach.back() : firstMach_;
    firstCd_ = curve.cd.front();
    lastCd_ = curve.cd.back();
    for (std::size_t i = 0; i + 1 < curve.cd.size(); ++i) {
        // The Hermite form of onInterval, multiplied out.
        const double h = curve.mach[i + 1] - curve.mach[i];
        const double d0 = knotSlope(curve.mach, curve.cd, i);
        const double d1 = knotSlope(curve.mach, curve.cd, i + 1);
        const double secant = (curve.cd[i + 1] - curve.cd[i]) / h;
        cubics_.push_back({curve.mach[i], curve.cd[i], d0, (3 * secant - 2 * d0 - d1) / h,
                           (d0 + d1 - 2 * secant) / (h * h)});
    }
}

double DragLookup::cdAt(double machNumber, std::size_t& hint) const {
    if (!(machNumber > firstMach_) || cubics_.empty()) return firstCd_;
    if (machNumber >= lastMach_) return lastCd_;
    hint = std::min(hint, cubics_.size() - 1);
    while (machNumber < cubics_[hint].fromMach)
        --hint;
    while (hint + 1 < cubics_.size() && machNumber >= cubics_[hint + 1].fromMach)
        ++hint;
    const Cubic& c = cubics_[hint];
    const double dm = machNumber - c.fromMach;
    return c.c0 + dm * (c.c1 + dm * (c.c2 + dm * c.c3));
}

} // namespace precision
