// The plain integration run, kept as the reference the fast one is compared against: every
// stage evaluates the drag the exact way. Built into the tests and benchmarks only.
#pragma once

#include "Integration.h"

namespace trajcore {

float integrateReference(const SolverRecord& si, float crosswind, const float* start,
                         const RunTable& table, float until);

// calcPre with the plain run: the table the library's calcPre must reproduce bit for bit.
inline int32_t calcPreReference(const SolverRecord* record) noexcept {
    return calcPreUsing(record, integrateReference);
}

} // namespace trajcore
