#include "precision/DragTruing.h"

#include "precision/Precision.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>

namespace precision {

namespace {

constexpr int mostIterations = 40;
constexpr double scaleTolerance = 1e-7;
constexpr double derivativeStep = 1e-5; // relative change of a scale for a finite difference

// Heights at the observations for the given scales; none when a range is not reached.
class Heights {
public:
    Heights(const Shot& shot, const DragCurve& curve, std::span<const Observation> observations)
        : shot_(shot), curve_(curve), order_(observations.size()) {
        std::iota(order_.begin(), order_.end(), std::size_t{0});
        std::sort(order_.begin(), order_.end(), [&](std::size_t a, std::size_t b) {
            return observations[a].rangeYd < observations[b].rangeYd;
        });
        for (std::size_t i : order_)
            rangesYd_.push_back(observations[i].rangeYd);
    }

    std::optional<std::vector<TrajectoryPoint>> points(double supersonic, double subsonic) const {
        const auto solved = solve(shot_, scaledDrag(curve_, supersonic, subsonic), rangesYd_);
        if (solved.size() < rangesYd_.size()) return std::nullopt;
        std::vector<TrajectoryPoint> inOrder(solved.size());
        for (std::size_t i = 0; i < order_.size(); ++i)
            inOrder[order_[i]] = solved[i];
        return inOrder;
    }

    std::optional<std::vector<double>> at(double supersonic, double subsonic) const {
        const auto p = points(supersonic, subsonic);
        if (!p) return std::nullopt;
        std::vector<double> heights;
        for (const TrajectoryPoint& point : *p)
            heights.push_back(point.heightIn);
        return heights;
    }

private:
    const Shot& shot_;
    const DragCurve& curve_;
    std::vector<std::size_t> order_;
    std::vector<double> rangesYd_;
};

double sumOfSquares(const std::vector<double>& heights, std::span<const Observation> obs) {
    double sum = 0;
    for (std::size_t i = 0; i < heights.size(); ++i)
        sum += (heights[i] - obs[i].heightIn) * (heights[i] - obs[i].heightIn);
    return sum;
}

bool inRange(double scale) {
    return scale >= lowestDragScale && scale <= highestDragScale;
}

// Gauss-Newton on one scale (both bands alike) or two, with the step halved while it does not
// lower the sum of squares. Returns the scales, or none when the search leaves the range.
std::optional<std::pair<double, double>> fit(const Heights& heights,
                                             std::span<const Observation> obs, bool twoBands) {
    double k1 = 1, k2 = 1;
    auto current = heights.at(k1, k2);
    if (!current) return std::nullopt;
    for (int iteration = 0; iteration < mostIterations; ++iteration) {
        const std::size_t n = obs.size();
        // Columns of the Jacobian: d height / d log(scale).
        const auto d1 = twoBands ? heights.at(k1 * (1 + derivativeStep), k2)
                                 : heights.at(k1 * (1 + derivativeStep), k2 * (1 + derivativeStep));
        if (!d1) return std::nullopt;
        std::vector<double> j1(n), j2(n, 0.0), r(n);
        for (std::size_t i = 0; i < n; ++i) {
            j1[i] = ((*d1)[i] - (*current)[i]) / derivativeStep;
            r[i] = obs[i].heightIn - (*current)[i];
        }
        double step1 = 0, step2 = 0;
        if (twoBands) {
            const auto d2 = heights.at(k1, k2 * (1 + derivativeStep));
            if (!d2) return std::nullopt;
            for (std::size_t i = 0; i < n; ++i)
                j2[i] = ((*d2)[i] - (*current)[i]) / derivativeStep;
            double a11 = 0, a12 = 0, a22 = 0, b1 = 0, b2 = 0;
            for (std::size_t i = 0; i < n; ++i) {
                a11 += j1[i] * j1[i];
                a12 += j1[i] * j2[i];
                a22 += j2[i] * j2[i];
                b1 += j1[i] * r[i];
                b2 += j2[i] * r[i];
            }
            const double det = a11 * a22 - a12 * a12;
            if (!(std::abs(det) > 1e-12 * (a11 * a22))) return std::nullopt;
            step1 = (b1 * a22 - b2 * a12) / det;
            step2 = (a11 * b2 - a12 * b1) / det;
        } else {
            double a = 0, b = 0;
            for (std::size_t i = 0; i < n; ++i) {
                a += j1[i] * j1[i];
                b += j1[i] * r[i];
            }
            if (!(a > 0)) return std::nullopt;
            step1 = step2 = b / a;
        }
        const double before = sumOfSquares(*current, obs);
        double damping = 1;
        std::optional<std::vector<double>> next;
        double n1 = k1, n2 = k2;
        for (int halving = 0; halving < 20; ++halving, damping /= 2) {
            n1 = k1 * std::exp(std::clamp(damping * step1, -0.7, 0.7));
            n2 = k2 * std::exp(std::clamp(damping * step2, -0.7, 0.7));
            next = heights.at(n1, n2);
            if (next && sumOfSquares(*next, obs) <= before) break;
        }
        if (!next) return std::nullopt;
        const bool settled =
            std::abs(n1 / k1 - 1) < scaleTolerance && std::abs(n2 / k2 - 1) < scaleTolerance;
        k1 = n1;
        k2 = n2;
        current = next;
        if (!inRange(k1) || !inRange(k2)) return std::nullopt;
        if (settled) break;
    }
    return std::pair(k1, k2);
}

} // namespace

DragCurve scaledDrag(const DragCurve& curve, double supersonicScale, double subsonicScale) {
    DragCurve scaled;
    const bool edgeNeeded = supersonicScale != subsonicScale && !curve.mach.empty() &&
                            curve.mach.front() < bandEdgeMach && curve.mach.back() > bandEdgeMach &&
                            !std::binary_search(curve.mach.begin(), curve.mach.end(), bandEdgeMach);
    for (std::size_t i = 0; i < curve.mach.size() && i < curve.cd.size(); ++i) {
        const double m = curve.mach[i];
        if (edgeNeeded && m > bandEdgeMach && (i == 0 || curve.mach[i - 1] < bandEdgeMach)) {
            scaled.mach.push_back(bandEdgeMach);
            scaled.cd.push_back(curve.cdAt(bandEdgeMach) * supersonicScale);
        }
        scaled.mach.push_back(m);
        scaled.cd.push_back(curve.cd[i] * (m >= bandEdgeMach ? supersonicScale : subsonicScale));
    }
    return scaled;
}

DragTruth trueDrag(const Shot& shot, const DragCurve& curve,
                   std::span<const Observation> observations) {
    DragTruth truth;
    if (observations.empty()) {
        truth.problem = "Give at least one observation.";
        return truth;
    }
    for (const Observation& o : observations)
        if (!(o.rangeYd > 0) || !std::isfinite(o.rangeYd) || !std::isfinite(o.heightIn)) {
            truth.problem = "Each observation needs a range above 0 and a height.";
            return truth;
        }
    const Heights heights(shot, curve, observations);
    const auto untrued = heights.points(1, 1);
    if (!untrued) {
        truth.problem = "The load cannot be flown to every observed range.";
        return truth;
    }
    bool supersonic = false, slower = false;
    for (const TrajectoryPoint& p : *untrued) {
        truth.untruedHeightIn.push_back(p.heightIn);
        truth.mach.push_back(p.mach);
        (truth.mach.back() >= bandEdgeMach ? supersonic : slower) = true;
    }
    truth.twoBands = supersonic && slower;
    if (truth.twoBands && observations.size() < 2) truth.twoBands = false;
    const auto scales = fit(heights, observations, truth.twoBands);
    if (!scales) {
        truth.problem = "No drag from a third to three times the load's makes the model pass "
                        "through the observations.";
        return truth;
    }
    truth.supersonicScale = scales->first;
    truth.subsonicScale = scales->second;
    truth.truedHeightIn = heights.at(scales->first, scales->second).value_or(std::vector<double>{});
    return truth;
}

} // namespace precision
