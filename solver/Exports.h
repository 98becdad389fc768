// The library's four entry points with C linkage. Only the shared builds make them visible; in
// the static build for tests they are ordinary hidden functions.
#pragma once

#include "SolverRecord.h"

#if defined(QUORVEL_SOLVER_EXPORTS)
#define QUORVEL_SOLVER_API __attribute__((visibility("default")))
#else
#define QUORVEL_SOLVER_API
#endif

extern "C" {
QUORVEL_SOLVER_API int32_t memAlloc(int16_t count);
QUORVEL_SOLVER_API int32_t calcPre(const SolverRecord* record);
QUORVEL_SOLVER_API int16_t printOneLine(SolverRow* row, float range, int16_t startIndex);
QUORVEL_SOLVER_API int32_t memDeAlloc(void);
}
