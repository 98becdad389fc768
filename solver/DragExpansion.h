// Drag per speed near one squared airspeed, as a short polynomial, for the fast integration.
//
// Within one drag zone the drag per speed P = A v^M / (coefficient * airspeed) is exactly
// K q^e with q the squared airspeed and e = (M - 1) / 2, so around an anchor q0 where P0 is
// evaluated the exact way, P(q) = P0 (1 + r)^e with r = (q - q0) / q0. Five binomial terms
// follow the exact value so closely that a slope rounded to float comes out the same unless
// its double lies very near a rounding midpoint; the evaluation (PackedSlopes.h) detects that
// case and declines, and the caller then evaluates the exact way.
#pragma once

#include "DragTables.h"

#include <cstddef>
#include <limits>

namespace trajcore {

class DragExpansion {
public:
    static constexpr int kTerms = 5;
    // How far from the anchor, relative to q0, the polynomial is used.
    static constexpr double kReach = 0x1p-9;

    // Usable nowhere.
    DragExpansion() = default;

    // The expansion around q0 for one model and coefficient. `zoneHint` is the zone index to
    // search from and receives the zone found. Usable only inside q0's zone and near q0.
    static DragExpansion around(const DragModel& model, float coef, double q0,
                                std::size_t& zoneHint) noexcept;

    bool covers(double q) const { return (q >= lo) & (q <= hi); }

    // The same for packed use, each value twice: the anchor q0, the usable range of q - q0, and
    // the coefficient b_k of P(q) = sum of b_k (q - q0)^k.
    const double* anchorPair() const { return q0; }
    const double* lowestPair() const { return dqLo; }
    const double* highestPair() const { return dqHi; }
    const double* termPair(int k) const { return b[k]; }

private:
    double lo = std::numeric_limits<double>::infinity(); // usable for lo <= q <= hi
    double hi = -std::numeric_limits<double>::infinity();
    alignas(16) double q0[2] = {};
    alignas(16) double dqLo[2] = {lo, lo};
    alignas(16) double dqHi[2] = {hi, hi};
    alignas(16) double b[kTerms][2] = {};
};

} // namespace trajcore
