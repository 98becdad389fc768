// The library's integration run. It takes the same Runge-Kutta steps as the plain run, with the
// same single-precision operations in the same order, but finds the drag of most stages from a
// polynomial around an anchor (DragExpansion) instead of a square root, a power and a division.
// The stages depend on each other, so that chain of operations sets the speed; each anchor is
// computed a block of steps before it is needed (AnchorSchedule), where its power function
// overlaps the stages in between. A stage the polynomial cannot vouch for, a zone or band change included, is
// evaluated the exact way, so every stored value is the plain run's.
#if !defined(__SSE2__)
#error "The solver's fast integration needs SSE2, which every x86-64 processor has."
#endif

#include "AnchorSchedule.h"
#include "Integration.h"
#include "Motion.h"
#include "PackedSlopes.h"

namespace trajcore {
namespace {

int64_t fallbacks = 0;

// Velocity and position, as Packed3.
struct PackedState {
    Packed3 velocity, position;
};

// The plain step's factors: h, h * 0.5, h * 0.16666667, and 2 for the middle slopes.
struct StepFactors {
    __m128 h, half, sixth, two;

    explicit StepFactors(float step)
        : h(_mm_set1_ps(step)), half(_mm_set1_ps(step * 0.5f)),
          sixth(_mm_set1_ps(step * (1.0f / 6.0f))), two(_mm_set1_ps(2.0f)) {}

    // v + f s, lane by lane.
    static Packed3 trial(const Packed3& v, __m128 f, const Packed3& s) {
        return {_mm_add_ps(v.xy, _mm_mul_ps(f, s.xy)), _mm_add_ps(v.z, _mm_mul_ps(f, s.z))};
    }

    // x + (h/6)(s1 + s4 + 2 (s2 + s3)), grouped as the plain step groups it.
    __m128 combine(__m128 x, __m128 s1, __m128 s2, __m128 s3, __m128 s4) const {
        const __m128 middle = _mm_mul_ps(two, _mm_add_ps(s2, s3));
        return _mm_add_ps(x, _mm_mul_ps(sixth, _mm_add_ps(_mm_add_ps(s1, s4), middle)));
    }
    Packed3 combine(const Packed3& x, const Packed3& s1, const Packed3& s2, const Packed3& s3,
                    const Packed3& s4) const {
        return {combine(x.xy, s1.xy, s2.xy, s3.xy, s4.xy), combine(x.z, s1.z, s2.z, s3.z, s4.z)};
    }
};

class FastMotion {
public:
    FastMotion(const SolverRecord& si, float crosswind, float coefficient)
        : model(dragModel(si.dragModel)), constants(crosswind), coef(coefficient), bands(si),
          watch(bands, coef), anchors(model, coef) {}

    float coefficient() const { return coef; }

    // Starts a block of steps; returns its length. (Arguments by value here and below keep the
    // caller's state out of memory.)
    int32_t beginBlock(Packed3 velocity) { return anchors.beginBlock(squaredAirspeed(velocity)); }

    // True while q changes too fast for the expansion: every step goes the exact way.
    bool exact() const { return anchors.exactBlock(); }

    // One step with every stage's slopes from the expansion; false when a stage needs the exact
    // way or would switch the coefficient. Nothing in here calls a function, so the values on
    // the chain stay in registers, and each stage's check waits for the next stage's slopes.
    bool quickStep(const PackedState& s, const StepFactors& f, PackedState& out) const {
        const Packed3& v = s.velocity;
        const StageSlopes s1 = packedSlopes(anchors.current(), v, constants);
        const Packed3 v1 = StepFactors::trial(v, f.half, s1.slopes);
        const StageSlopes s2 = packedSlopes(anchors.current(), v1, constants);
        int doubt = stageDoubt(s1, constants);
        const Packed3 v2 = StepFactors::trial(v, f.half, s2.slopes);
        const StageSlopes s3 = packedSlopes(anchors.current(), v2, constants);
        doubt |= stageDoubt(s2, constants);
        const Packed3 v3 = StepFactors::trial(v, f.h, s3.slopes);
        const StageSlopes s4 = packedSlopes(anchors.current(), v3, constants);
        doubt |= stageDoubt(s3, constants);
        out.velocity = f.combine(v, s1.slopes, s2.slopes, s3.slopes, s4.slopes);
        out.position = f.combine(s.position, v, v1, v2, v3);
        doubt |=
            stageDoubt(s4, constants) | switches(v) | switches(v1) | switches(v2) | switches(v3);
        return doubt == 0;
    }

    // The same step deciding stage by stage: the exact way where the expansion declines, and
    // the coefficient switched where the band says so.
    [[gnu::noinline]] PackedState carefulStep(PackedState s, const StepFactors& f) {
        reanchored = false;
        const Packed3& v = s.velocity;
        const Packed3 a1 = decided(v);
        const Packed3 v1 = StepFactors::trial(v, f.half, a1);
        const Packed3 a2 = decided(v1);
        const Packed3 v2 = StepFactors::trial(v, f.half, a2);
        const Packed3 a3 = decided(v2);
        const Packed3 v3 = StepFactors::trial(v, f.h, a3);
        const Packed3 a4 = decided(v3);
        return {f.combine(v, a1, a2, a3, a4), f.combine(s.position, v, v1, v2, v3)};
    }

private:
    int switches(const Packed3& velocity) const {
        return int(watch.switches(_mm_cvtss_f32(velocity.xy)));
    }

    // The slopes at one stage, the exact way where the expansion declines; then the band rule.
    Packed3 decided(const Packed3& velocity) {
        Packed3 slopes;
        if (anchors.exactBlock()) {
            slopes = exactSlopes(velocity);
        } else {
            const StageSlopes s = packedSlopes(anchors.current(), velocity, constants);
            slopes = stageDoubt(s, constants) == 0 ? s.slopes : decide(velocity);
        }
        const float vx = _mm_cvtss_f32(velocity.xy);
        const float c = bands.after(vx, coef);
        if (c != coef) switchCoefficient(c);
        return slopes;
    }

    double squaredAirspeed(const Packed3& velocity) const {
        float u[4], w[4];
        _mm_storeu_ps(u, velocity.xy);
        _mm_storeu_ps(w, _mm_sub_ps(velocity.z, constants.crosswind));
        return trajcore::squaredAirspeed(u[0], u[1], w[0]);
    }

    // A stage the anchor does not vouch for. Once per step, a stage outside the anchor's reach
    // (a zone crossed, a band switched) gets an anchor of its own, which then serves the steps
    // that follow; otherwise the exact way.
    Packed3 decide(const Packed3& velocity) {
        if (!reanchored && !anchors.current().covers(squaredAirspeed(velocity))) {
            reanchored = true;
            anchors.reanchor(squaredAirspeed(velocity));
            const StageSlopes s = packedSlopes(anchors.current(), velocity, constants);
            if (stageDoubt(s, constants) == 0) return s.slopes;
        }
        return exactSlopes(velocity);
    }

    Packed3 exactSlopes(const Packed3& velocity) {
        ++fallbacks;
        float u[4], w[4], slope[kComponents];
        _mm_storeu_ps(u, velocity.xy);
        _mm_storeu_ps(w, _mm_sub_ps(velocity.z, constants.crosswind));
        const double q = trajcore::squaredAirspeed(u[0], u[1], w[0]);
        velocitySlopes(dragPerSpeed(model, coef, q), u[0], u[1], w[0], slope);
        return {_mm_setr_ps(slope[Vx], slope[Vy], 0.0f, 0.0f),
                _mm_setr_ps(slope[Vz], slope[Vz], 0.0f, 0.0f)};
    }

    void switchCoefficient(float c) {
        coef = c;
        watch = BandWatch(bands, coef);
        anchors.restart(coef);
    }

    const DragModel& model;
    const PackedConstants constants;
    float coef; // the coefficient in use
    CoefficientBands bands;
    BandWatch watch;
    AnchorSchedule anchors;
    bool reanchored = false; // in this careful step
};

Packed3 pack(float x, float y, float z) {
    return {_mm_setr_ps(x, y, 0.0f, 0.0f), _mm_setr_ps(z, z, 0.0f, 0.0f)};
}

void store(const RunTable& table, int32_t k, float t, const PackedState& s) {
    float v[4], vz[4], x[4], z[4];
    _mm_storeu_ps(v, s.velocity.xy);
    _mm_storeu_ps(vz, s.velocity.z);
    _mm_storeu_ps(x, s.position.xy);
    _mm_storeu_ps(z, s.position.z);
    table.time[k] = t;
    table.state[Vx][k] = v[0];
    table.state[X][k] = x[0];
    table.state[Vy][k] = v[1];
    table.state[Y][k] = x[1];
    table.state[Vz][k] = vz[0];
    table.state[Z][k] = z[0];
}

} // namespace

float integrateFast(const SolverRecord& si, float crosswind, const float* start,
                    const RunTable& table, float until) {
    FastMotion motion(si, crosswind, si.ballisticCoef);
    const int32_t n = table.steps;
    const float h = si.flightTime / float(n);
    const StepFactors factors(h);

    PackedState s{pack(start[Vx], start[Vy], start[Vz]), pack(start[X], start[Y], start[Z])};
    store(table, 0, 0.0f, s);
    int32_t blockLeft = 0;
    for (int32_t k = 1; k <= n; ++k) {
        if (blockLeft-- == 0) blockLeft = motion.beginBlock(s.velocity) - 1;
        PackedState next;
        if (motion.exact() || !motion.quickStep(s, factors, next)) [[unlikely]]
            next = motion.carefulStep(s, factors);
        s = next;
        // k * h, as the plain run stores it.
        store(table, k, float(double(h) * k), s);
        if (_mm_cvtss_f32(s.position.xy) >= until) break;
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
