// The solver record for a load: the bullet's values from one load record, the shooting
// conditions from the load on screen (a comparison load is flown in the screen's conditions),
// the drag code, the crosswind's lateral part and, with the extra inputs on, the coefficient
// corrected for the atmosphere. The table, the graph, the point-blank search and the simulator
// build their records here.
#pragma once

#include "SolverRecord.h"
#include "load/CInput.h"

class CDrag;
class CMetro;

namespace LoadRecord {

struct Options {
    bool advanced = false; // the extra inputs count: drag model and atmosphere
    bool metric = false;   // ranges in metres
};

// A table integrates 16 steps per yard of maximum range over its 2 s of flight.
constexpr double StepRatePerRangeUnit = 8.0;

// The record for `load` under `conditions`. Its ballisticCoef is the coefficient handed to the
// solver. Throws ErrorNumbers::Failure when the maximum range gives no 16-bit step rate.
SolverRecord build(const CInput& load, const CInput& conditions, const Options& options,
                   const CMetro& metro, const CDrag& drag);

// The lateral part of a crosswind: 90 degrees is a full-value wind from the left, 270 from the
// right, 0 and 180 blow along the line of fire and drift nothing.
float lateralWind(int16_t mph, int16_t degrees);

} // namespace LoadRecord
