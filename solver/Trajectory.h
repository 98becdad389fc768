// The solver's C++ interface: the same four operations the library exports with C linkage, plus
// what tests need to look inside. One trajectory is held at a time; calls must not overlap.
//
// Order of use: memAlloc(steps), calcPre(record) (again to recompute in the same buffers), any
// number of printOneLine(row, range, start), then memDeAlloc().
#pragma once

#include "SolverRecord.h"

#include <cstdint>

namespace trajcore {

// Allocates zero-filled buffers for `count` integration steps: the time column, the six state
// columns with their column table, and three Runge-Kutta work vectors (11 counted blocks).
// Returns the live-block count, or a negative number when an allocation failed (the blocks
// obtained stay allocated until memDeAlloc) or count is below 1 (nothing changes).
// Buffers from an earlier memAlloc without memDeAlloc are abandoned and stay counted.
int32_t memAlloc(int16_t count) noexcept;

// Integrates the trajectory the record describes (imperial units) into the buffers: one run, or
// three with two corrections of the departure angle when the record asks for zeroing. The
// caller's record is not changed. Returns the live-block count; 0 when nothing was computed
// (no buffers, no record, or no memory for the start vector).
int32_t calcPre(const SolverRecord* record) noexcept;

// Fills the row at `range` (yards, or metres for a metric record) by interpolating the table,
// searching forward from startIndex. Returns the index the search stopped at, or 0 when the
// range is at or beyond the last computed point (the row is then extrapolated from the last two
// entries). Without buffers the row is left untouched and 0 is returned.
int16_t printOneLine(SolverRow* row, float range, int16_t startIndex) noexcept;

// Frees every buffer memAlloc obtained; returns the live-block count (0 when nothing leaked).
int32_t memDeAlloc() noexcept;

// The number of blocks currently allocated by the solver.
int32_t liveBlocks() noexcept;

// Read-only views of the last computed table, for checks from outside: the step count n, entry
// k (0..n) as time and the six state values in SI units (Vx, x, Vy, y, Vz, z), and the
// departure angle in radians that the last calcPre ended with. tableEntry returns false for an
// index outside the table or when nothing is allocated.
int32_t stepCount() noexcept;
bool tableEntry(int32_t k, float& time, float (&values)[6]) noexcept;
float departureAngle() noexcept;

// Makes the allocation after the next `successes` ones fail, to exercise the failure paths;
// a negative value (the default) lets every allocation succeed.
void failAllocationsAfter(int successes) noexcept;

} // namespace trajcore
