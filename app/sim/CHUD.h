// The simulator's own trajectory: the main load under the simulator's wind and range unit,
// computed through its own binding to the simulator's solver library, and read per range as
// drop, drift and time of flight. Also the inch-to-angle conversions the scene uses.
#pragma once

#include "SolverRecord.h"
#include "precision/Shot.h"
#include "services/Problem.h"
#include "units/Units.h"

#include <QList>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

struct LoadSnapshot;
class SolverFlight;

class CHUD {
public:
    CHUD();
    ~CHUD();
    CHUD(const CHUD&) = delete;
    CHUD& operator=(const CHUD&) = delete;

    // Computes the trajectory of the main load (the snapshot's, built like a table record, or
    // flown by the precision model when it is on)
    // for a crosswind of `wind` mph, out to `simMaxRange` (the simulator's maximum range text)
    // in yards, or in metres unless `yards`. Gives what went wrong for the caller to report: the
    // solver binding's failures, then a non-numeric maximum range (the previous trajectory
    // stays).
    QList<Problem> init(float wind, const LoadSnapshot& model, const QString& simMaxRange,
                        bool yards);

    // Drop and drift in MOA and time of flight in s at `yards` (the simulator's range unit).
    // False, outputs untouched, when the range lies beyond the computed trajectory or nothing
    // has been computed (takeFailures() says why when the solver binding failed).
    bool oneResult(float& dropMoa, float& windMoa, float yards, float& time);
    // The solver binding's failures since the last take, in the order they arose.
    QList<Problem> takeFailures();

    // Angular size of `inch` inches seen at `yards`; 0 at range 0. A metric simulator's range
    // is in metres and converted to yards first.
    float inch2moa(float inch, float yards) const;
    float inch2mil(float inch, float yards) const;

    // Releases the solver buffers of the trajectory.
    void final();

    bool isMetric() const { return metric; }
    bool isComputed() const;
    // The record of the last init (after the simulator's values were put back).
    const SolverRecord& record() const { return rec; }
    // The flight time the trajectory was integrated over.
    float flightTime() const { return flown; }
    const SolverRow& lastRow() const { return row; }

private:
    std::optional<Problem> integrate(float wind, const LoadSnapshot& model,
                                     const QString& simMaxRange, bool yards);
    // The precision model's path, a point per whole range unit out to `maxRange`.
    std::optional<Problem> flyPrecision(float wind, const LoadSnapshot& model, float maxRange);
    float toYards(float range) const { return metric ? range * Units::YardsPerMetreF : range; }

    SolverRecord rec{};
    SolverRow row{};
    // The record last integrated (the simulator's wind, range and unit), while it is current.
    std::optional<SolverRecord> integrated;
    // The trajectory in the simulator's own library. Created on first use.
    std::unique_ptr<SolverFlight> flight;
    // The precision model's path while it is the one in use (empty otherwise).
    std::vector<precision::TrajectoryPoint> precisePath;
    bool metric = false;
    float flown = 0;
};
