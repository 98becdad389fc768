// One calculation's view of the load on screen: taken once per refresh, then only read. The
// table, the graph, the exports, the range card, the point-blank and truing searches and the
// simulator's trajectory all compute from one of these and return what they found.
#pragma once

#include "SolverRecord.h"
#include "load/LoadForm.h"
#include "load/MainValues.h"
#include "load/PrecisionRows.h"
#include "services/Problem.h"
#include "units/ShownUnits.h"

#include <QList>
#include <QString>
#include <optional>

struct LoadSnapshot {
    LoadForm form;                // the Input tab's texts and choices
    MainValues values;            // the load record (values.in1), the window's numbers and options
    float angleDeg = 0;           // uphill (+) or downhill (-); 0 when its field is no number
    double muzzleVelocityFps = 0; // the velocity field as typed, fractions included (a trued
                                  // velocity); the load record holds it as a whole number
    Units::ShownUnits units;      // the shooter's units for what is shown (not for computing)
    // Fields whose number the load record could not hold when the snapshot was taken (the record
    // kept its value): the entry point reports them before it computes anything.
    QList<Problem> fieldProblems;

    // The snapshot of a form and the values beside it (the fields already copied into
    // values.in1 and the pending options applied, as LoadModel::snapshot does).
    static LoadSnapshot of(const LoadForm& form, const MainValues& values);

    const CInput& load() const { return values.in1; }
    bool metric() const { return form.isMetric(); }
    bool advanced() const { return form.isAdvanced(); }
    bool precision() const { return form.isPrecision(); }

    // Why no trajectory can be computed (the field at fault and its message, or the precision
    // model's drag table), or an empty text when it can.
    QString loadProblem() const { return problemOf(form); }
    static QString problemOf(const LoadForm& form);

    // The solver record for `load` flown in `conditions` under the snapshot's options. Throws
    // ErrorNumbers::Failure when the maximum range gives no 16-bit step rate.
    SolverRecord record(const CInput& load, const CInput& conditions) const;

    // The precision engine's inputs for `load` flown in `conditions` with the precision part
    // `form` at `muzzleVelocityFps` (0: the load's whole-number velocity), under the snapshot's
    // air, angle and range unit.
    PrecisionRows::Inputs precisionInputs(const CInput& load, const CInput& conditions,
                                          const PrecisionForm& precisionForm,
                                          double velocityFps) const;
    // The same for the load on screen, at the velocity its field shows.
    PrecisionRows::Inputs precisionInputs() const;

    // The coefficient the solver is handed for the load on screen: the BC field's, corrected for
    // the atmosphere when the extra inputs count (the precision model corrects nothing).
    // None when no record can be built for it.
    std::optional<float> handedBc() const;
};
