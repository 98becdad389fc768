// Truing the drag of the load on screen in the precision model: observations (range in the
// range unit, height in inches above the line of sight) in, the drag scales and the fit out,
// and the trued drag kept with the load (one scale as the trued BC; a scale per band as a drag
// file beside the load).
#pragma once

#include "units/ShownUnits.h"

#include "precision/DragTruing.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <vector>

class LoadModel;
struct LoadSnapshot;

namespace TrueDrag {

// Observations this close in say more about the muzzle velocity than about the drag.
constexpr double NearestTellingRangeYd = 600;
constexpr int MostObservations = 8;

struct Observation {
    double range = 0; // in the load's range unit
    double heightIn = 0;
};

struct Result {
    precision::DragTruth truth;
    std::vector<Observation> observations;
    bool metric = false;
    double loadBc = 0;    // the load's BC field
    double truedBc = 0;   // the BC that gives the one scale (loadBc / scale)
    QString dragTable;    // the load's drag table, standard name or path
    bool allNear = false; // every observation inside 600 yd
    QString problem;      // why there are no scales

    bool ok() const { return problem.isEmpty(); }
};

// The load must be in the precision model and computable.
Result trueDrag(const LoadSnapshot& snapshot, const std::vector<Observation>& observations);

// The fit as text lines: each observation against the untrued and trued heights, then the
// scales and what the load keeps; the warning for near observations last.
QString fitText(const Result& result, const Units::ShownUnits& units = {});
// "600 yd" as the shooter reads ranges: in metres ("549 m") when his units are not the classic
// ones and show the load's ranges in metres.
QString nearRangeText(const Units::ShownUnits& units = {}, bool loadMetric = false);
QString nearWarning(const Units::ShownUnits& units = {}, bool loadMetric = false);

// Where the per-band curve is kept: beside the load, named after it ("<load>-trued.csv"), or in
// `fallbackFolder` for a load not yet saved.
QString bandFilePath(const QString& loadPath, const QString& fallbackFolder);

// Stores the result in the model's form: the trued BC in the BC field for one scale; for two,
// the scaled curve written to `bandFile` and selected as the load's drag table. The reason on
// failure, the form untouched. A BC the load record cannot hold adds to `fieldProblems`.
QString apply(const Result& result, LoadModel& model, const QString& bandFile,
              QList<Problem>& fieldProblems);

} // namespace TrueDrag
