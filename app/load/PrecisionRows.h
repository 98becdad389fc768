// The table's rows from the precision model: a load and its conditions as the engine's shot, the
// engine's points at the range steps as rows (with the spin drift and Coriolis columns), and the
// header lines that name the model and its inputs.
#pragma once

#include "units/ShownUnits.h"

#include "load/CInput.h"
#include "load/PrecisionForm.h"
#include "load/TableRows.h"
#include "precision/Precision.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace PrecisionRows {

// What the engine is asked beyond the two load records.
struct Inputs {
    const CInput* load = nullptr;       // the bullet: velocity, weight, coefficients
    const CInput* conditions = nullptr; // the sight, zero, wind and air (the load on screen)
    const PrecisionForm* precision = nullptr;
    float pressure = 0;        // station pressure, inHg; 0 or less: standard at the altitude
    float humidity = 0;        // percent
    float angle = 0;           // line of sight up (+) or down (-), degrees
    bool metric = false;       // ranges in metres
    double muzzleVelocity = 0; // ft/s when above 0, else the load's whole-number velocity
};

// The engine's shot for the inputs.
precision::Shot shot(const Inputs& inputs);

// The rows at the request's range steps (its load, conditions and angle are not read: the shot
// holds them). False, rows empty and `reason` saying why, when the shot cannot fly or its zero
// cannot be reached, or `failure` when a correction overflowed; rows stop early where the
// bullet no longer gets.
bool compute(const TableRows::Request& request, const precision::Shot& shot,
             const precision::DragCurve& drag, std::vector<TableRow>& rows, QString& reason,
             std::optional<Problem>& failure);

// Lines for the table's header: the model, its drag table and the inputs it adds (the wind
// zones' ends in the range unit).
QStringList headerLines(const precision::Shot& shot, const PrecisionForm& form, bool metric,
                        const Units::ShownUnits& units = {});

} // namespace PrecisionRows
