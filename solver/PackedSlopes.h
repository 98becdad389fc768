// The three velocity slopes of one Runge-Kutta stage from a DragExpansion, with SSE2 packed
// arithmetic (the x86-64 baseline): velocities as (x, y, z, unused) floats, doubles in pairs
// (x, y) and (z, unused). Each lane rounds exactly as the scalar operation it stands for.
#pragma once

#include "DragExpansion.h"
#include "Motion.h"

#include <emmintrin.h>

namespace trajcore {

struct PackedConstants {
    __m128 wind;       // air velocity (downrange, vertical, lateral, 0)
    __m128d gravity;   // (0, g): gravity enters the vertical slope only
    __m128d margin;    // 2^-39, see below
    __m128d sign;      // sign bits, to negate
    __m128d magnitude; // all bits but the sign, for absolute values
    __m128i minusZero; // the bits of -0.0f

    explicit PackedConstants(const float (&air)[3])
        : wind(_mm_setr_ps(air[0], air[1], air[2], 0.0f)),
          gravity(_mm_setr_pd(0.0, double(kGravity))), margin(_mm_set1_pd(0x1p-39)),
          sign(_mm_set1_pd(-0.0)), magnitude(_mm_castsi128_pd(_mm_set1_epi64x(0x7fffffffffffffff))),
          minusZero(_mm_set1_epi32(int(0x80000000u))) {}
};

struct StageSlopes {
    __m128 slopes; // (x, y, z, unused)
    double q;      // squared airspeed
    bool certain;  // every slope equals the exact one bit for bit
};

// Slopes -(P u) - g at stage velocity `velocity`, u = velocity - wind, with P from the
// expansion. Each slope's double differs from the exact one by less than 2^-44 (|b0 u| + g)
// (DragExpansion.cpp; g for the vertical slope only); a slope is certain only when everything
// within 2^-39 (|b0 u| + g) of its double rounds to the same float, so the exact double, which
// lies well inside that span, rounds to it too.
inline StageSlopes packedSlopes(const DragExpansion& e, __m128 velocity, const PackedConstants& c) {
    const __m128 u = _mm_sub_ps(velocity, c.wind);
    const __m128d uxy = _mm_cvtps_pd(u);
    const __m128d uz = _mm_cvtps_pd(_mm_movehl_ps(u, u));
    // (ux^2 + uy^2) + uz^2, as squaredAirspeed() adds them.
    const __m128d sxy = _mm_mul_pd(uxy, uxy);
    const __m128d q = _mm_add_sd(_mm_add_sd(sxy, _mm_unpackhi_pd(sxy, sxy)), _mm_mul_sd(uz, uz));
    // q - q0 is exact: the two differ by far less than a factor 2.
    const __m128d dq1 = _mm_sub_sd(q, _mm_set_sd(e.anchor()));
    const __m128d dq = _mm_unpacklo_pd(dq1, dq1);
    const __m128d dq2 = _mm_mul_pd(dq, dq);
    auto b = [&e](int k) { return _mm_load_pd(e.term(k)); };
    // The terms from dq^2 on, over dq^2; then P u = b0 u + (b1 u) dq + (u dq^2) higher, grouped
    // so the chain from dq is short.
    const __m128d higher =
        _mm_add_pd(_mm_add_pd(b(2), _mm_mul_pd(b(3), dq)), _mm_mul_pd(b(4), dq2));
    const __m128d dragXy = _mm_mul_pd(b(0), uxy), dragZ = _mm_mul_pd(b(0), uz);
    const __m128d leadXy =
        _mm_add_pd(_mm_add_pd(dragXy, c.gravity), _mm_mul_pd(_mm_mul_pd(b(1), uxy), dq));
    const __m128d leadZ = _mm_add_pd(dragZ, _mm_mul_pd(_mm_mul_pd(b(1), uz), dq));
    // Negated last: for u = +0 every term is a zero and the sum +0, so the slope is -0 as
    // -(P * +0) is. A downrange or lateral u = -0 could give +0, so it is never certain (it
    // does not occur in flight); the vertical slope is -g either way.
    const __m128d dXy =
        _mm_xor_pd(_mm_add_pd(leadXy, _mm_mul_pd(_mm_mul_pd(uxy, dq2), higher)), c.sign);
    const __m128d dZ =
        _mm_xor_pd(_mm_add_pd(leadZ, _mm_mul_pd(_mm_mul_pd(uz, dq2), higher)), c.sign);

    const __m128d eXy =
        _mm_mul_pd(c.margin, _mm_add_pd(_mm_and_pd(dragXy, c.magnitude), c.gravity));
    const __m128d eZ = _mm_mul_pd(c.margin, _mm_and_pd(dragZ, c.magnitude));
    const __m128 low =
        _mm_movelh_ps(_mm_cvtpd_ps(_mm_sub_pd(dXy, eXy)), _mm_cvtpd_ps(_mm_sub_pd(dZ, eZ)));
    const __m128 high =
        _mm_movelh_ps(_mm_cvtpd_ps(_mm_add_pd(dXy, eXy)), _mm_cvtpd_ps(_mm_add_pd(dZ, eZ)));
    const int split = _mm_movemask_ps(_mm_cmpneq_ps(low, high));
    const int minusZero =
        _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(_mm_castps_si128(u), c.minusZero)));

    StageSlopes s;
    s.slopes = _mm_movelh_ps(_mm_cvtpd_ps(dXy), _mm_cvtpd_ps(dZ));
    s.q = _mm_cvtsd_f64(q);
    s.certain = e.covers(s.q) & ((split & 7) == 0) & ((minusZero & 5) == 0);
    return s;
}

} // namespace trajcore
