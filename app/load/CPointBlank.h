// Maximum point-blank range: the zero that keeps the path within a target (vital zone) of given
// size, shrunk by the shooter's group size with distance, out to the longest range; that range,
// and the height of the path at 100 (the sight-in height).
#pragma once

#include "load/LoadSnapshot.h"
#include "services/InputLimit.h"
#include "services/Problem.h"

#include <QList>
#include <optional>

class CPointBlank {
public:
    float pbZero = 0;  // zero range found, range unit, 1 decimal
    float pbRange = 0; // maximum point-blank range, range unit, whole number
    float zero100 = 0; // path height at range 100, inches

    // Why the last search gave nothing, for the entry point to report: the solver binding's
    // failures, which arose first, then the search's own.
    QList<Problem> solverFailures;
    std::optional<Problem> failure;

    // Computes the three results for the snapshot's load and uphill/downhill angle. Reads
    // killZone, groupSize and isCosineDrop of its values and the Advanced check box; builds the
    // record as a table does and integrates through the table library, whose buffers are free
    // again on return. False when nothing could be computed.
    bool pointBlankRange(const LoadSnapshot& snapshot);

    // Bisection passes on the zero, and where they start and end.
    static constexpr int passes = 10;
    static constexpr float firstZero = 200.0f;
    static constexpr float upperZero = 1000.0f;

    // Target (vital zone) and group sizes, inches.
    static constexpr InputLimit targetLimit{0.0f, 80.0f, "Target Size must be between 0 and 80\"."};
    static constexpr InputLimit groupLimit{0.0f, 30.0f, "Group size must be between 0 and 30\"."};
};
