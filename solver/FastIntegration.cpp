// The library's integration run. It takes the same Runge-Kutta steps as the plain run, with the
// same single-precision operations in the same order, but finds the drag of most stages from a
// polynomial around an anchor (DragExpansion) instead of a square root, a power and a division.
// The stages depend on each other, so that chain of operations sets the speed; each anchor is
// computed a block of steps before it is needed, where its power function overlaps the stages
// in between. A stage the polynomial cannot vouch for, a zone or band change included, is
// evaluated the exact way, so every stored value is the plain run's.
#if !defined(__SSE2__)
#error "The solver's fast integration needs SSE2, which every x86-64 processor has."
#endif

#include "DragExpansion.h"
#include "Integration.h"
#include "Motion.h"
#include "PackedSlopes.h"

#include <cstring>
#include <limits>

namespace trajcore {
namespace {

int64_t fallbacks = 0;

// Steps served by one anchor. The polynomial reaches far enough for several steps; fewer
// anchors leave more of the processor to the stages.
constexpr int32_t kStepsPerAnchor = 4;

// Velocity (Vx, Vy, Vz, 0) and position (X, Y, Z, 0).
struct PackedState {
    __m128 velocity, position;
};

// The plain step's factors: h, h * 0.5, h * 0.16666667, and 2 for the middle slopes.
struct StepFactors {
    __m128 h, half, sixth, two;

    explicit StepFactors(float step)
        : h(_mm_set1_ps(step)), half(_mm_set1_ps(step * 0.5f)),
          sixth(_mm_set1_ps(step * (1.0f / 6.0f))), two(_mm_set1_ps(2.0f)) {}

    // x + (h/6)(s1 + s4 + 2 (s2 + s3)), grouped as the plain step groups it.
    __m128 combine(__m128 x, __m128 s1, __m128 s2, __m128 s3, __m128 s4) const {
        const __m128 middle = _mm_mul_ps(two, _mm_add_ps(s2, s3));
        return _mm_add_ps(x, _mm_mul_ps(sixth, _mm_add_ps(_mm_add_ps(s1, s4), middle)));
    }
};

// The downrange velocities at which the band rule would switch away from the coefficient in
// use: (lowestVel, lowerVel] towards lowerBc, up to lowestVel towards lowestBc. A side that
// cannot switch gets a NaN bound, which no comparison passes. Same verdict as
// bands.after(vx, coef) != coef, in three comparisons without branches.
struct BandWatch {
    float lowerTop, lowerFloor, lowestTop;

    BandWatch(const CoefficientBands& b, float coef)
        : lowerTop(b.lowerBc > kMinBandCoef && b.lowerBc != coef ? b.lowerVel : kNaN),
          lowerFloor(b.lowestVel),
          lowestTop(b.lowestBc > kMinBandCoef && b.lowestBc != coef ? b.lowestVel : kNaN) {}

    bool switches(float vx) const {
        return ((vx <= lowerTop) & (vx > lowerFloor)) | (vx <= lowestTop);
    }

    static constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
};

class FastMotion {
public:
    FastMotion(const SolverRecord& si, const float (&air)[3], float coefficient)
        : model(dragModel(si.dragModel)), constants(air), coef(coefficient), bands(si),
          watch(bands, coef) {}

    float coefficient() const { return coef; }

    // The anchor prepared at the last block start serves this block; the next one is placed
    // where the block after this one should be halfway, extrapolating the change of q over the
    // last block. Without a usable anchor (the first block, after a band change) one is made
    // here, centred at the block's start.
    void beginBlock(__m128 velocity) {
        float u[4];
        _mm_storeu_ps(u, _mm_sub_ps(velocity, constants.wind));
        const double q = squaredAirspeed(u[0], u[1], u[2]);
        if (next.covers(q)) {
            current = next;
        } else if (!current.covers(q)) {
            current = DragExpansion::around(model, coef, q, zoneHint);
        }
        const double ahead = hasPrevious ? q + 1.5 * (q - previousQ) : q;
        next = DragExpansion::around(model, coef, ahead, zoneHint);
        previousQ = q;
        hasPrevious = true;
    }

    // One step with every stage's slopes from the expansion; false when a stage needs the exact
    // way or would switch the coefficient. Nothing in here calls a function, so the values on
    // the chain stay in registers.
    bool quickStep(const PackedState& s, const StepFactors& f, PackedState& out) {
        return step<true>(s, f, out);
    }

    // The same step deciding stage by stage: the exact way where the expansion declines, and
    // the coefficient switched where the band says so.
    [[gnu::noinline]] void carefulStep(const PackedState& s, const StepFactors& f,
                                       PackedState& out) {
        reanchored = false;
        step<false>(s, f, out);
    }

private:
    // One classical Runge-Kutta step, written out for this system: the position slopes are the
    // velocities of the stage points, so only the velocity stages need the drag.
    template <bool quick> bool step(const PackedState& s, const StepFactors& f, PackedState& out) {
        const __m128 v = s.velocity;
        bool ok = true;
        const __m128 a1 = slopes<quick>(v, ok);
        const __m128 v1 = _mm_add_ps(v, _mm_mul_ps(f.half, a1));
        const __m128 a2 = slopes<quick>(v1, ok);
        const __m128 v2 = _mm_add_ps(v, _mm_mul_ps(f.half, a2));
        const __m128 a3 = slopes<quick>(v2, ok);
        const __m128 v3 = _mm_add_ps(v, _mm_mul_ps(f.h, a3));
        const __m128 a4 = slopes<quick>(v3, ok);
        out.velocity = f.combine(v, a1, a2, a3, a4);
        out.position = f.combine(s.position, v, v1, v2, v3);
        return ok;
    }

    template <bool quick> __m128 slopes(__m128 velocity, bool& ok) {
        StageSlopes s = packedSlopes(current, velocity, constants);
        const float vx = _mm_cvtss_f32(velocity);
        if constexpr (quick) {
            ok = ok & s.certain & !watch.switches(vx);
        } else {
            if (!s.certain) s.slopes = decide(velocity, s.q);
            const float c = bands.after(vx, coef);
            if (c != coef) switchCoefficient(c);
        }
        return s.slopes;
    }

    // A stage the anchor does not vouch for. Once per step, a stage outside the anchor's reach
    // (a zone crossed, a band switched) gets an anchor of its own, which then serves the steps
    // that follow; otherwise the exact way.
    __m128 decide(__m128 velocity, double q) {
        if (!reanchored && !current.covers(q)) {
            reanchored = true;
            current = DragExpansion::around(model, coef, q, zoneHint);
            const StageSlopes s = packedSlopes(current, velocity, constants);
            if (s.certain) return s.slopes;
        }
        ++fallbacks;
        float u[4];
        _mm_storeu_ps(u, _mm_sub_ps(velocity, constants.wind));
        float slope[kComponents];
        velocitySlopes(dragPerSpeed(model, coef, q), u[0], u[1], u[2], slope);
        return _mm_setr_ps(slope[Vx], slope[Vy], slope[Vz], 0.0f);
    }

    // The polynomials hold the old coefficient.
    void switchCoefficient(float c) {
        coef = c;
        watch = BandWatch(bands, coef);
        current = next = DragExpansion();
        hasPrevious = false;
    }

    const DragModel& model;
    const PackedConstants constants;
    float coef; // the coefficient in use
    CoefficientBands bands;
    BandWatch watch;
    DragExpansion current, next;
    std::size_t zoneHint = 0;
    double previousQ = 0;
    bool hasPrevious = false;
    bool reanchored = false;
};

void store(const RunTable& table, int32_t k, float t, const PackedState& s) {
    float v[4], x[4];
    _mm_storeu_ps(v, s.velocity);
    _mm_storeu_ps(x, s.position);
    table.time[k] = t;
    table.state[Vx][k] = v[0];
    table.state[X][k] = x[0];
    table.state[Vy][k] = v[1];
    table.state[Y][k] = x[1];
    table.state[Vz][k] = v[2];
    table.state[Z][k] = x[2];
}

} // namespace

float integrateFast(const SolverRecord& si, const float (&wind)[3], const float* start,
                    const RunTable& table, float until) {
    FastMotion motion(si, wind, si.ballisticCoef);
    const int32_t n = table.steps;
    const float h = si.flightTime / float(n);
    const StepFactors factors(h);

    PackedState s{_mm_setr_ps(start[Vx], start[Vy], start[Vz], 0.0f),
                  _mm_setr_ps(start[X], start[Y], start[Z], 0.0f)};
    store(table, 0, 0.0f, s);
    for (int32_t k = 1; k <= n; ++k) {
        if ((k - 1) % kStepsPerAnchor == 0) motion.beginBlock(s.velocity);
        PackedState next;
        if (!motion.quickStep(s, factors, next)) [[unlikely]]
            motion.carefulStep(s, factors, next);
        s = next;
        // k * h, as the plain run stores it.
        store(table, k, float(double(h) * k), s);
        if (_mm_cvtss_f32(s.position) >= until) break;
    }
    return motion.coefficient();
}

int64_t fastRunFallbacks() noexcept {
    return fallbacks;
}

void resetFastRunFallbacks() noexcept {
    fallbacks = 0;
}

} // namespace trajcore
