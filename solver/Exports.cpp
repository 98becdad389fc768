// Nothing may leave the library as a C++ exception: each entry point answers with its failure
// value instead.
#include "Exports.h"

#include "Trajectory.h"

extern "C" {

QUORVEL_SOLVER_API int32_t memAlloc(int16_t count) {
    try {
        return trajcore::memAlloc(count);
    } catch (...) {
        return -1;
    }
}

QUORVEL_SOLVER_API int32_t calcPre(const SolverRecord* record) {
    try {
        return trajcore::calcPre(record);
    } catch (...) {
        return 0;
    }
}

QUORVEL_SOLVER_API int16_t printOneLine(SolverRow* row, float range, int16_t startIndex) {
    try {
        return trajcore::printOneLine(row, range, startIndex);
    } catch (...) {
        return 0;
    }
}

QUORVEL_SOLVER_API int32_t memDeAlloc(void) {
    try {
        return trajcore::memDeAlloc();
    } catch (...) {
        return -1;
    }
}

} // extern "C"
