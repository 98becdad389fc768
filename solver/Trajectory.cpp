#include "Trajectory.h"

#include "Integration.h"
#include "Motion.h"
#include "units/Units.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <emmintrin.h>
#include <limits>

namespace trajcore {
namespace {

// Unit conversions, all single precision.
constexpr float kFpsToMps = float(Units::MetresPerFoot);
constexpr float kYardsToMetres = float(Units::MetresPerYard);
constexpr float kInchesToMetres = float(Units::MetresPerInch);
constexpr float kMphToMps = float(Units::MetresPerSecondPerMph);
constexpr float kDegreesToRadians = float(Units::RadiansPerDegree);
constexpr float kMpsToFps = float(Units::FeetPerMetre);
constexpr float kMetresToYards = Units::YardsPerMetreF;
constexpr float kMetresToInches = float(Units::InchesPerMetre);

// Everything the library keeps between calls: one trajectory at a time.
struct SolverState {
    SolverRecord si{}; // working copy of the caller's record, converted to SI units
    int32_t steps = 0;
    float* time = nullptr;
    float** table = nullptr; // kComponents columns of steps + 1 values
    float* work[3] = {};     // Runge-Kutta slopes k1, k2 and k3
    float coefInUse = 0;     // ballistic coefficient in use; lower bands replace it mid-run
    float wind[3] = {};      // air velocity: downrange, vertical, lateral (only lateral is set)
    int32_t liveBlocks = 0;
    int allocationsLeft = -1; // test hook: fail when this reaches 0; negative never fails

    bool ready() const {
        if (steps < 1 || !time || !table || !work[0] || !work[1] || !work[2]) return false;
        for (int c = 0; c < kComponents; ++c)
            if (!table[c]) return false;
        return true;
    }
    float* column(Component c) const { return table[c]; }
};

SolverState state;

template <typename T> T* allocateBlock(std::size_t count) {
    if (state.allocationsLeft == 0) return nullptr;
    if (state.allocationsLeft > 0) --state.allocationsLeft;
    T* block = static_cast<T*>(std::calloc(count, sizeof(T)));
    if (block) ++state.liveBlocks;
    return block;
}

template <typename T> void releaseBlock(T*& block) {
    if (!block) return;
    std::free(block);
    block = nullptr;
    --state.liveBlocks;
}

// The straight line through (a0, b0) and (a1, b1), evaluated at a.
inline float interp(float a0, float b0, float a1, float b1, float a) {
    return b0 + (a - a0) * (b1 - b0) / (a1 - a0);
}

void convertToSi(SolverRecord& r) {
    r.muzzleVelocity *= kFpsToMps;
    r.sightHeight *= kInchesToMetres;
    r.windSpeed *= kMphToMps;
    r.departureAngle *= kDegreesToRadians;
    if (r.isMetric == 0) {
        r.maxRange *= kYardsToMetres;
        r.zeroRange *= kYardsToMetres;
    }
    r.lowerVel *= kFpsToMps;
    r.lowestVel *= kFpsToMps;
    r.spareVel *= kFpsToMps;
}

// The first index from i on whose downrange distance reaches `distance`, or the last index.
// Four entries at a time while all four fall short, by the same comparison, so a NaN stops the
// search where it always did.
int32_t searchFrom(int32_t i, float distance) {
    const float* x = state.column(X);
    const int32_t n = state.steps;
    const __m128 reach = _mm_set1_ps(distance);
    while (i + 4 <= n && _mm_movemask_ps(_mm_cmplt_ps(_mm_loadu_ps(x + i), reach)) == 0xF)
        i += 4;
    while (i < n && x[i] < distance)
        ++i;
    return i;
}

// Turns the departure angle by the angle under which the last run missed the line of sight at
// the zero range, as seen from the sight.
void correctZero(float& angle, float* start) {
    const float zero = state.si.zeroRange;
    const int32_t i = searchFrom(1, zero);
    const float* t = state.time;
    const float* x = state.column(X);
    const float* y = state.column(Y);
    const float tz = interp(x[i - 1], t[i - 1], x[i], t[i], zero);
    const float xz = interp(t[i - 1], x[i - 1], t[i], x[i], tz);
    const float yz = interp(t[i - 1], y[i - 1], t[i], y[i], tz);
    angle += float(std::atan(double(-yz / xz)));
    start[Vx] = state.si.muzzleVelocity * float(std::cos(double(angle)));
    start[Vy] = state.si.muzzleVelocity * float(std::sin(double(angle)));
}

// One integration run from the start vector into the table; see IntegrationRun.
void integrate(IntegrationRun run, const float* start,
               float until = std::numeric_limits<float>::infinity()) {
    const RunTable table{state.steps, state.time, state.table, state.work};
    state.coefInUse = run(state.si, state.wind[2], start, table, until);
}

void releaseAll() {
    if (state.table) {
        for (int c = 0; c < kComponents; ++c)
            releaseBlock(state.table[c]);
        releaseBlock(state.table);
    }
    releaseBlock(state.time);
    for (float*& w : state.work)
        releaseBlock(w);
}

} // namespace

int32_t memAlloc(int16_t count) noexcept {
    if (count < 1) return -1;
    // Earlier buffers not released are abandoned, still counted.
    state.time = nullptr;
    state.table = nullptr;
    for (float*& w : state.work)
        w = nullptr;
    state.steps = count;

    const std::size_t entries = std::size_t(count) + 1;
    bool ok = (state.time = allocateBlock<float>(entries)) != nullptr &&
              (state.table = allocateBlock<float*>(kComponents)) != nullptr;
    for (int c = 0; ok && c < kComponents; ++c)
        ok = (state.table[c] = allocateBlock<float>(entries)) != nullptr;
    for (int w = 0; ok && w < 3; ++w)
        ok = (state.work[w] = allocateBlock<float>(kComponents)) != nullptr;
    if (ok) return state.liveBlocks;
    // The negated count tells the caller how much is held; it stays negative when nothing is.
    return state.liveBlocks > 0 ? -state.liveBlocks : -1;
}

int32_t calcPre(const SolverRecord* record) noexcept {
    return calcPreUsing(record, integrateFast);
}

int32_t calcPreUsing(const SolverRecord* record, IntegrationRun run) noexcept {
    if (!record || !state.ready()) return 0;
    // Without a start vector nothing changes, not even the record the table was made from.
    float* start = allocateBlock<float>(kComponents);
    if (!start) return 0;
    std::memcpy(&state.si, record, sizeof state.si);
    SolverRecord& si = state.si;
    convertToSi(si);

    start[Vx] = si.muzzleVelocity * float(std::cos(double(si.departureAngle)));
    start[Vy] = si.muzzleVelocity * float(std::sin(double(si.departureAngle)));
    start[Y] = si.isZeroed != 0 ? -si.sightHeight : 0.0f;
    state.wind[0] = 0.0f;
    state.wind[1] = 0.0f;
    state.wind[2] = si.windSpeed;

    if (si.isZeroed == 0) {
        integrate(run, start);
    } else {
        // Two linearised corrections leave only a small residual at the zero range.
        integrate(run, start, si.zeroRange);
        correctZero(si.departureAngle, start);
        integrate(run, start, si.zeroRange);
        correctZero(si.departureAngle, start);
        integrate(run, start);
    }
    releaseBlock(start);
    return state.liveBlocks;
}

int16_t printOneLine(SolverRow* row, float range, int16_t startIndex) noexcept {
    if (!row || !state.ready()) return 0;
    const SolverRecord& si = state.si;
    const float distance = si.isMetric == 0 ? range * kYardsToMetres : range;
    // Entries i - 1 and i are read, so the start is kept inside 1..n.
    int32_t start = startIndex < 1 ? 1 : startIndex;
    if (start > state.steps) start = state.steps;
    const int32_t i = searchFrom(start, distance);

    const float* time = state.time;
    const float t =
        interp(state.column(X)[i - 1], time[i - 1], state.column(X)[i], time[i], distance);
    float v[kComponents];
    for (int c = 0; c < kComponents; ++c)
        v[c] = interp(time[i - 1], state.table[c][i - 1], time[i], state.table[c][i], t);
    const float speed = std::sqrt(v[Vx] * v[Vx] + v[Vy] * v[Vy] + v[Vz] * v[Vz]);

    row->t = t;
    row->V = speed * kMpsToFps;
    row->Vx = v[Vx] * kMpsToFps;
    row->Vy = v[Vy] * kMpsToFps;
    row->Vz = v[Vz] * kMpsToFps;
    row->x = si.isMetric == 0 ? v[X] * kMetresToYards : v[X];
    row->y = v[Y] * kMetresToInches;
    row->z = v[Z] * kMetresToInches;
    return i < state.steps ? int16_t(i) : int16_t(0);
}

int32_t memDeAlloc() noexcept {
    releaseAll();
    state.steps = 0;
    return state.liveBlocks;
}

int32_t liveBlocks() noexcept {
    return state.liveBlocks;
}

int32_t stepCount() noexcept {
    return state.steps;
}

bool tableEntry(int32_t k, float& time, float (&values)[6]) noexcept {
    if (!state.ready() || k < 0 || k > state.steps) return false;
    time = state.time[k];
    for (int c = 0; c < kComponents; ++c)
        values[c] = state.table[c][k];
    return true;
}

float departureAngle() noexcept {
    return state.si.departureAngle;
}

void failAllocationsAfter(int successes) noexcept {
    state.allocationsLeft = successes;
}

} // namespace trajcore
