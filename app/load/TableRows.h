// The rows of the ballistics table as data: for a load, the conditions and the options of the
// moment, the value of every column at each range step, unrounded. The table text, the graph,
// printing, the exports and the tests all read these rows.
#pragma once

#include "load/CInput.h"
#include "load/TableColumns.h"
#include "services/CBallUtil.h"

#include <cstdint>
#include <optional>
#include <vector>

class CDrag;
class CMetro;
class SolverFlight;
struct SolverRow;

namespace TableRows {

// Everything a row's values depend on besides the trajectory.
struct RowSettings {
    bool moa = false;
    bool metric = false;
    float scopeMag = 0;    // for the mil-dot ranging column
    float targetSpeed = 0; // mph, for the lead
    int weight = 0;        // grains, for the energy
};

// What a table asks for: the load flown (the bullet), the conditions (the load on screen), the
// range steps and the options.
struct Request {
    const CInput* load = nullptr;
    const CInput* conditions = nullptr;
    float increment = 0;     // range unit
    int16_t count = 0;       // rows from range 0
    float angle = 0;         // uphill (+) or downhill (-), degrees
    bool advanced = false;   // the extra inputs count: drag model, atmosphere, angle, target speed
    bool cosineDrop = false; // the angle scales the heights; else they are read at the
                             // horizontal distance (cosine range)
    RowSettings settings;
    float muzzleVelocity = 0; // ft/s flown instead of the load's when above 0 (truing)
};

// The values of one row from the solver's row at `range`: `height` is the height to show (the
// row's, or the one the uphill/downhill correction gives). A correction that overflows is kept
// by `util`, which then says so.
TableRow rowValues(const SolverRow& row, float range, float height, const RowSettings& settings,
                   const CBallUtil& util);

// What a computation of rows gave.
struct Computed {
    bool ok = false;
    std::vector<TableRow> rows;     // empty unless ok
    float handedBc = 0;             // the coefficient handed to the solver
    std::optional<Problem> problem; // a row's correction overflowed
};

// Integrates the request's trajectory through `flight` and reads its rows. Nothing computed
// (not ok): a correction overflowed (the problem), the solver binding could not integrate, or a
// failure thrown as ErrorNumbers::Failure for the entry point to report.
Computed compute(const Request& request, const CMetro& metro, const CDrag& drag,
                 SolverFlight& flight);

} // namespace TableRows
