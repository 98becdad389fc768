// The three velocity slopes of one Runge-Kutta stage from a DragExpansion, with SSE2 packed
// arithmetic (the x86-64 baseline). Floats travel as (x, y, 0, 0) and (z, z, 0, 0), doubles as
// (x, y) and (z, z), so no lane ever has to be moved on the chain of dependent operations. Each
// lane rounds exactly as the scalar operation it stands for.
#pragma once

#include "DragExpansion.h"
#include "Motion.h"

#include <emmintrin.h>

namespace trajcore {

// A velocity or its slopes: (x, y, 0, 0) and (z, z, 0, 0).
struct Packed3 {
    __m128 xy, z;
};

struct PackedConstants {
    __m128 crosswind;     // (W, W, 0, 0); downrange and vertical air stand still
    __m128d gravity;      // (0, g): gravity enters the vertical slope only
    __m128d twiceMargin;  // 2 * 2^-39, see below
    __m128d sign;         // sign bits, to negate
    __m128d magnitude;    // all bits but the sign, for absolute values
    __m128i minusZero;    // the bits of -0.0f
    __m128d exponent;     // the exponent bits: x & exponent is the power of 2 at or below |x|
    __m128d largestScale; // 2^127, the largest power of 2 in float range
    __m128d halfUlp;      // 2^-24: half a float's unit in the last place, over 2^e

    explicit PackedConstants(float w)
        : crosswind(_mm_setr_ps(w, w, 0.0f, 0.0f)), gravity(_mm_setr_pd(0.0, double(kGravity))),
          twiceMargin(_mm_set1_pd(0x1p-38)), sign(_mm_set1_pd(-0.0)),
          magnitude(_mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff))),
          minusZero(_mm_set1_epi32(int(0x80000000u))),
          exponent(_mm_castsi128_pd(_mm_set1_epi64x(0x7ff0000000000000))),
          largestScale(_mm_set1_pd(0x1p127)), halfUlp(_mm_set1_pd(0x1p-24)) {}
};

// All bits set in a lane whose double d, rounded to the float f (the low lanes of `rounded`),
// might round to another float once moved by less than half of `twiceError`. It passes when
// |d - f| + twiceError <= 2^(e - 24) for 2^e <= |d| < 2^(e + 1): that is half of f's unit in
// the last place on d's side of f (below a power of 2 the floats are twice as dense, and d's
// own exponent says which side it is on), and on the far side, where the half unit may be half
// as large, the error still fits. For d = 0 only an exact zero passes; an infinite f never does.
inline __m128d roundingDoubt(__m128d d, __m128 rounded, __m128d twiceError,
                             const PackedConstants& c) {
    const __m128d f = _mm_cvtps_pd(rounded);
    const __m128d distance = _mm_add_pd(_mm_and_pd(_mm_sub_pd(d, f), c.magnitude), twiceError);
    const __m128d scale = _mm_min_pd(_mm_and_pd(d, c.exponent), c.largestScale);
    return _mm_cmpnle_pd(distance, _mm_mul_pd(scale, c.halfUlp));
}

// One stage's slopes with what their certainty check needs; the check (stageDoubt) can wait
// until the next stage is under way, so that it does not hold up the chain of dependent
// operations.
struct StageSlopes {
    Packed3 slopes;
    __m128d dXy, dZ;       // the slopes' doubles
    __m128d dragXy, dragZ; // b0 u
    int early;             // out of the expansion's reach, or a -0 air velocity component
};

// Slopes -(P u) - g at stage velocity v, with u = v - wind and P from the expansion. Each
// slope's double differs from the exact one by less than 2^-44 (|b0 u| + g) (DragExpansion.cpp;
// g for the vertical slope only); a slope is certain only when the float it rounds to holds
// everything within 2^-39 (|b0 u| + g) of it, which includes the exact double 32 times over.
inline StageSlopes packedSlopes(const DragExpansion& e, const Packed3& v,
                                const PackedConstants& c) {
    const __m128 airZ = _mm_sub_ps(v.z, c.crosswind);
    const __m128d uxy = _mm_cvtps_pd(v.xy);
    const __m128d uz = _mm_cvtps_pd(airZ);
    // q - q0 in both lanes as (ux^2 + uy^2) + (uz^2 - q0), which starts sooner than the exact
    // way's q and differs from its q - q0 by a few units in q0's last place (in the budget).
    const __m128d sxy = _mm_mul_pd(uxy, uxy);
    const __m128d dq = _mm_add_pd(_mm_add_pd(sxy, _mm_shuffle_pd(sxy, sxy, 1)),
                                  _mm_sub_pd(_mm_mul_pd(uz, uz), _mm_load_pd(e.anchorPair())));
    const __m128d outside = _mm_or_pd(_mm_cmpnge_pd(dq, _mm_load_pd(e.lowestPair())),
                                      _mm_cmpnle_pd(dq, _mm_load_pd(e.highestPair())));
    // P u = sum of (b_k u) dq^k, grouped as (c0 + c1 dq) + c2 dq^2 + (c3 + c4 dq) dq^3 so that
    // only four operations follow dq.
    const __m128d dq2 = _mm_mul_pd(dq, dq), dq3 = _mm_mul_pd(dq2, dq);
    auto b = [&e](int k) { return _mm_load_pd(e.termPair(k)); };
    auto dragTimes = [&](__m128d u, __m128d first) {
        const __m128d low = _mm_add_pd(first, _mm_mul_pd(_mm_mul_pd(b(1), u), dq));
        const __m128d middle = _mm_mul_pd(_mm_mul_pd(b(2), u), dq2);
        const __m128d high =
            _mm_mul_pd(_mm_add_pd(_mm_mul_pd(b(3), u), _mm_mul_pd(_mm_mul_pd(b(4), u), dq)), dq3);
        return _mm_add_pd(_mm_add_pd(low, middle), high);
    };
    const __m128d dragXy = _mm_mul_pd(b(0), uxy), dragZ = _mm_mul_pd(b(0), uz);
    // Negated last: for u = +0 every term is a zero and the sum +0, so the slope is -0 as
    // -(P * +0) is. A downrange or lateral u = -0 could give +0, so it is never certain (it
    // does not occur in flight); the vertical slope is -g either way.
    const __m128d dXy = _mm_xor_pd(dragTimes(uxy, _mm_add_pd(dragXy, c.gravity)), c.sign);
    const __m128d dZ = _mm_xor_pd(dragTimes(uz, dragZ), c.sign);

    const __m128i air = _mm_castps_si128(_mm_movelh_ps(v.xy, airZ)); // (ux, uy, uz, uz)
    const __m128 minusZero = _mm_castsi128_ps(_mm_cmpeq_epi32(air, c.minusZero));
    return {{_mm_cvtpd_ps(dXy), _mm_cvtpd_ps(dZ)},
            dXy,
            dZ,
            dragXy,
            dragZ,
            _mm_movemask_pd(outside) | (_mm_movemask_ps(minusZero) & 5)};
}

// Nonzero unless every slope of the stage equals the exact one bit for bit: each is certain
// when its double lies far enough from the float's rounding bounds.
inline int stageDoubt(const StageSlopes& s, const PackedConstants& c) {
    const __m128d eXy =
        _mm_mul_pd(c.twiceMargin, _mm_add_pd(_mm_and_pd(s.dragXy, c.magnitude), c.gravity));
    const __m128d eZ = _mm_mul_pd(c.twiceMargin, _mm_and_pd(s.dragZ, c.magnitude));
    return s.early | _mm_movemask_pd(_mm_or_pd(roundingDoubt(s.dXy, s.slopes.xy, eXy, c),
                                               roundingDoubt(s.dZ, s.slopes.z, eZ, c)));
}

} // namespace trajcore
