#include "load/Truing.h"

#include "load/DragTables.h"
#include "load/LoadSnapshot.h"
#include "load/PrecisionRows.h"
#include "load/TableRows.h"
#include "services/CBallUtil.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/SolverFlight.h"
#include "units/Units.h"

#include <cmath>
#include <exception>
#include <utility>
#include <vector>

namespace Truing {

namespace {

// Velocities tried before the search narrows down on a change of sign.
constexpr double ScanStep = 100;
// The solver's clock is single precision: a row this much past the end of the flight was not
// reached.
constexpr double FlightEndTolerance = 1e-3;

std::optional<double> classicHeight(const LoadSnapshot& model, float range, double velocity,
                                    QList<Problem>& solverFailures) {
    const MainValues& v = model.values;
    CInput conditions = v.in1;
    // The trajectory has to reach the range, even beyond the table's own maximum range.
    const auto reach = MNumber::toInt16(std::ceil(double(range)));
    if (!reach) return std::nullopt;
    conditions.imaxyds = std::max(conditions.imaxyds, *reach);
    TableRows::Request q;
    q.load = &v.in1;
    q.conditions = &conditions;
    q.increment = range;
    q.count = 2;
    q.angle = model.angleDeg;
    q.advanced = model.form.isAdvanced();
    q.cosineDrop = v.isCosineDrop;
    q.settings = {v.isMoa, model.form.isMetric(), v.scopeMag, 0.0f, v.in1.ibweight};
    q.muzzleVelocity = static_cast<float>(velocity);
    SolverFlight flight(true);
    const TableRows::Computed computed =
        TableRows::compute(q, model.values.metro, model.values.drag, flight);
    flight.release();
    solverFailures += flight.takeFailures();
    const std::vector<TableRow>& rows = computed.rows;
    if (!computed.ok || rows.size() < 2) return std::nullopt;
    if (rows[1][TableColumns::Time] > flight.flightTime() * (1.0 + FlightEndTolerance))
        return std::nullopt;
    return rows[1][TableColumns::Height];
}

std::optional<double> precisionHeight(const LoadSnapshot& model, float range, double velocity,
                                      const precision::DragCurve& drag) {
    const MainValues& v = model.values;
    const PrecisionRows::Inputs in =
        model.precisionInputs(v.in1, v.in1, model.form.precision, velocity);
    const double toYards = model.form.isMetric() ? Units::YardsPerMetre : 1.0;
    const double ranges[] = {0.0, double(range) * toYards};
    const auto points = precision::solve(PrecisionRows::shot(in), drag, ranges);
    if (points.size() < 2) return std::nullopt;
    return points[1].heightIn;
}

// Heights for velocities, in the load's model.
class HeightModel {
public:
    explicit HeightModel(const LoadSnapshot& model) : model(model) {
        if (model.form.isPrecision()) table = DragTables::load(model.form.precision);
    }

    std::optional<double> at(float range, double velocity) {
        try {
            if (table.curve) return precisionHeight(model, range, velocity, *table.curve);
            if (model.form.isPrecision()) return std::nullopt;
            return classicHeight(model, range, velocity, solverFailures);
        } catch (const std::exception&) {
            return std::nullopt; // a velocity the solver's record cannot hold
        }
    }

    // The solver binding's failures so far, in the order they arose.
    QList<Problem> solverFailures;

private:
    const LoadSnapshot& model;
    DragTables::Loaded table;
};

QString rangeText(float range, bool metric) {
    return MNumber::shortText(range) + (metric ? QStringLiteral(" m") : QStringLiteral(" yards"));
}

// The velocity nearest the load's own that gives `heightIn` at `range`, into `result`.
void searchVelocity(HeightModel& heights, float range, double heightIn, bool metric,
                    Result& result) {
    result.loadHeight = heights.at(range, result.loadVelocity);

    // Scan the velocities for a change of sign of (height - observed), or a velocity that gives
    // it exactly, and take the bracket nearest the load's own velocity; then halve it down to
    // the tolerance.
    std::optional<std::pair<double, double>> bracket;
    const auto distance = [&](double low, double high) {
        return std::fabs((low + high) / 2 - result.loadVelocity);
    };
    std::optional<double> previous;
    double previousVelocity = 0;
    double lowest = HUGE_VAL, highest = -HUGE_VAL;
    for (double mv = LowestVelocity; mv <= HighestVelocity; mv += ScanStep) {
        const auto h = heights.at(range, mv);
        if (!h) {
            previous.reset();
            continue;
        }
        lowest = std::min(lowest, *h);
        highest = std::max(highest, *h);
        const double diff = *h - heightIn;
        const bool crossed = previous && ((*previous < 0) != (diff < 0) || diff == 0.0);
        if (crossed && (!bracket ||
                        distance(previousVelocity, mv) < distance(bracket->first, bracket->second)))
            bracket = std::pair(previousVelocity, mv);
        previous = diff;
        previousVelocity = mv;
    }
    if (!bracket) {
        const QString where = rangeText(range, metric);
        result.problem =
            lowest > highest
                ? QStringLiteral("The load cannot be flown to %1 with any muzzle velocity from "
                                 "300 to 4500 fps.")
                      .arg(where)
                : QStringLiteral("No muzzle velocity from 300 to 4500 fps gives a height of %1 "
                                 "in at %2: with this load the heights there lie between %3 and "
                                 "%4 in.")
                      .arg(MNumber::shortText(float(heightIn)), where,
                           MNumber::shortText(MNumber::roundDecimals(float(lowest), 2)),
                           MNumber::shortText(MNumber::roundDecimals(float(highest), 2)));
        return;
    }
    auto [low, high] = *bracket;
    auto lowDiff = heights.at(range, low).value_or(0.0) - heightIn;
    while (high - low > Tolerance / 2) {
        const double mid = (low + high) / 2;
        const auto h = heights.at(range, mid);
        if (!h) break;
        const double diff = *h - heightIn;
        if ((diff < 0) == (lowDiff < 0)) {
            low = mid;
            lowDiff = diff;
        } else {
            high = mid;
        }
    }
    result.velocity = MNumber::roundHalfEven((low + high) / 2 * 10) / 10;
    return;
}

} // namespace

double inchesFromCorrection(double correction, float range, bool moa, bool metric) {
    // A correction is proportional to the inches it stands for.
    const CBallUtil util;
    const double perInch = util.correction(1.0f, range, moa, metric);
    return perInch == 0.0 ? 0.0 : correction / perInch;
}

std::optional<double> heightAt(const LoadSnapshot& model, float range, double velocity) {
    return HeightModel(model).at(range, velocity);
}

Result trueVelocity(const LoadSnapshot& model, float range, double heightIn) {
    Result result;
    const bool precise = model.form.isPrecision();
    result.loadVelocity = precise ? model.muzzleVelocityFps : double(model.values.in1.imvel);
    const bool metric = model.form.isMetric();
    if (!(range >= ShortestRange && range <= LongestRange)) {
        result.problem =
            QStringLiteral("The range must be between %1 and %2.")
                .arg(MNumber::shortText(ShortestRange), rangeText(LongestRange, metric));
        result.inputFault = true;
        return result;
    }
    // A load no trajectory can be computed from says why (a field, or its drag table).
    if (QString problem = model.loadProblem(); !problem.isEmpty()) {
        result.problem = problem;
        result.inputFault = true;
        return result;
    }
    HeightModel heights(model);
    searchVelocity(heights, range, heightIn, metric, result);
    result.solverFailures = std::move(heights.solverFailures);
    return result;
}

} // namespace Truing
