// The Input tab as plain data: what a load data file stores and what the table, graph and side
// calculators read. The window keeps one of these in step with its controls.
#pragma once

#include "load/Comparison.h"
#include "load/HitInputs.h"
#include "load/InputFields.h"
#include "load/PrecisionForm.h"

#include <QString>
#include <array>
#include <optional>

struct LoadForm {
    std::array<QString, InputFields::Count> fields; // txtInput(0..20) texts
    int chkAdvanced = 0;                            // 0 unchecked, 1 checked
    int chkMilrange = 0;
    // The options dialog's pending choices (option 1 of each pair) and the range unit.
    bool optMoa1 = false;    // MOA clicks rather than mils
    bool optMetric1 = false; // metres rather than yards
    bool opt3D1 = false;     // 3D rather than 2D graph
    bool optComma1 = false;  // comma rather than space separator
    bool optRR1 = false;     // cosine drop rather than cosine range
    int yAxis = 0;           // 0 Drop, 1 Velocity, 2 Energy, 3 Wind Drift 10mph
    int dragIndex = -1;      // cboDrag list position, -1 when nothing is selected
    Comparison comparison;   // the comparison load's file (empty when none), name, on/off
    QString notes;           // txtNotes, may hold CR LF line breaks
    PrecisionForm precision; // the precision model's switch and inputs
    // The hit probability's target and error spreads, once the shooter set them for this load:
    // a load without them saves exactly as before.
    std::optional<HitInputs> hit;

    bool isMetric() const { return optMetric1; }
    // The extra inputs count: Advanced is checked, or the precision model (which reads them
    // all) is on.
    bool isAdvanced() const { return chkAdvanced != 0 || precision.on; }
    bool isPrecision() const { return precision.on; }
    bool isMilRange() const { return chkMilrange != 0; }

    // The texts the window shows before any load is read.
    static LoadForm initial();

    bool operator==(const LoadForm&) const = default;
};
