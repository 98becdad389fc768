// One integration run: fixed Runge-Kutta steps over the flight time from a start vector into
// the time column and the six state columns. Two implementations give the same table bit for
// bit: the fast one the library uses, and the plain one kept beside the tests as the reference.
#pragma once

#include "SolverRecord.h"

#include <cstdint>

namespace trajcore {

struct RunTable {
    int32_t steps;       // n: the run fills entries 0..n
    float* time;         // n + 1 values
    float* const* state; // six columns of n + 1 values, in state-vector order
    float* const* work;  // three Runge-Kutta work vectors of six values
};

// Integrates from `start` (SI units, state-vector order) with the record's coefficient at
// first, against a lateral wind `crosswind` (m/s; the solver's downrange and vertical wind are
// always 0), over the whole flight or, when only the zero correction will read the table,
// until the first entry at or past `until` (m). Returns the coefficient in use at the end.
using IntegrationRun = float (*)(const SolverRecord& si, float crosswind, const float* start,
                                 const RunTable& table, float until);

float integrateFast(const SolverRecord& si, float crosswind, const float* start,
                    const RunTable& table, float until);

// calcPre with a chosen integration run; the library's calcPre uses integrateFast.
int32_t calcPreUsing(const SolverRecord* record, IntegrationRun run) noexcept;

// Evaluations the fast runs handed to the exact way since the count was last reset, for
// measuring how often that happens.
int64_t fastRunFallbacks() noexcept;
void resetFastRunFallbacks() noexcept;

} // namespace trajcore
