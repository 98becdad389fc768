// A drag curve: the drag coefficient against Mach number, from a standard drag table or the
// shooter's own file.
#pragma once

#include <cstddef>
#include <vector>

namespace precision {

struct DragCurve {
    std::vector<double> mach; // Mach numbers, strictly increasing
    std::vector<double> cd;   // drag coefficient at each Mach number (dimensionless)

    // The drag coefficient at `machNumber`: a monotone piecewise cubic (PCHIP) through the
    // table's points, so it is smooth and never overshoots between them; the first or last
    // coefficient outside the table's range. 0 for an empty curve.
    double cdAt(double machNumber) const;
};

// A drag curve prepared for many look-ups in a row, as a flight makes them: the same curve as
// DragCurve::cdAt, with each interval's cubic expanded once into powers of the Mach number's
// distance from the interval's start, and each search starting from the interval in `hint`
// (the previous look-up's, which it updates).
class DragLookup {
public:
    explicit DragLookup(const DragCurve& curve);
    double cdAt(double machNumber, std::size_t& hint) const;

private:
    struct Cubic {
        double fromMach, c0, c1, c2, c3; // Cd = c0 + c1 dm + c2 dm^2 + c3 dm^3, dm = M - fromMach
    };
    std::vector<Cubic> cubics_;
    double firstMach_ = 0, lastMach_ = 0, firstCd_ = 0, lastCd_ = 0;
};

} // namespace precision
