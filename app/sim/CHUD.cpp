#include "sim/CHUD.h"

#include "load/DragTables.h"
#include "load/LoadSnapshot.h"
#include "load/PrecisionRows.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/SolverFlight.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>

CHUD::CHUD() = default;
CHUD::~CHUD() = default;

namespace {
Problem initProblem(long number, const QString& text) {
    return Problem::failure(QStringLiteral("CHUD"), QStringLiteral("init"), number, text);
}
} // namespace

QList<Problem> CHUD::init(float wind, const LoadSnapshot& model, const QString& simMaxRange,
                          bool yards) {
    const std::optional<Problem> problem = integrate(wind, model, simMaxRange, yards);
    QList<Problem> problems = takeFailures();
    if (problem) problems.append(*problem);
    return problems;
}

QList<Problem> CHUD::takeFailures() {
    return flight ? flight->takeFailures() : QList<Problem>();
}

std::optional<Problem> CHUD::integrate(float wind, const LoadSnapshot& model,
                                       const QString& simMaxRange, bool yards) {
    try {
        if (!flight) flight = std::make_unique<SolverFlight>(false); // the simulator's library
        // The record is built exactly as a table's, with the window's current options.
        SolverRecord next = model.record(model.load(), model.load());
        const float keptMaxRange = next.maxRange;
        const float keptWind = next.windSpeed;
        const int16_t keptMetric = next.isMetric;

        const auto maxRange = MNumber::parse(simMaxRange);
        const auto single = maxRange ? MNumber::toSingle(*maxRange) : std::nullopt;
        if (!single)
            return initProblem(ErrorNumbers::TypeMismatch, QStringLiteral("Type mismatch"));
        next.maxRange = *single;
        next.windSpeed = wind;
        next.isMetric = yards ? 0 : 1;

        flight->release();
        precisePath.clear();
        if (model.form.isPrecision()) {
            metric = !yards;
            rec = next;
            rec.maxRange = keptMaxRange;
            rec.windSpeed = keptWind;
            rec.isMetric = keptMetric;
            integrated.reset();
            return flyPrecision(wind, model, *single);
        }
        // A long range may lie beyond the usual flight: the flight is lengthened (same step
        // count) until the maximum range is reached.
        // A failed integration leaves no trajectory; the binding's failures say why.
        const bool ok = flight->integrateCovering(next, next.maxRange);
        integrated = ok ? std::optional<SolverRecord>(next) : std::nullopt;
        flown = next.flightTime;
        metric = next.isMetric != 0;

        next.maxRange = keptMaxRange;
        next.windSpeed = keptWind;
        next.isMetric = keptMetric;
        rec = next;
        return std::nullopt;
    } catch (const ErrorNumbers::Failure& f) {
        return initProblem(f.number, f.what());
    } catch (const std::exception& e) {
        return initProblem(ErrorNumbers::InvalidCall, QString::fromLocal8Bit(e.what()));
    }
}

std::optional<Problem> CHUD::flyPrecision(float wind, const LoadSnapshot& model, float maxRange) {
    const DragTables::Loaded table = DragTables::load(model.form.precision);
    if (!table.curve) return initProblem(ErrorNumbers::FileNotFound, table.problem);
    const MainValues& v = model.values;
    // The simulator's wind is a full-value crosswind: from the left when positive.
    CInput conditions = v.in1;
    conditions.ixwvel = 0;
    precision::Shot shot = PrecisionRows::shot(
        model.precisionInputs(v.in1, conditions, model.form.precision, model.muzzleVelocityFps));
    shot.windMph = std::fabs(wind);
    shot.windAngleDeg = wind >= 0 ? 90.0 : 270.0;
    // A point per whole range unit out to the simulator's range; shots between are interpolated.
    const double toYards = metric ? Units::YardsPerMetre : 1.0;
    const size_t count = size_t(std::clamp(std::ceil(double(maxRange)), 0.0, 100000.0)) + 1;
    std::vector<double> ranges(count);
    for (size_t i = 0; i < count; ++i)
        ranges[i] = double(i) * toYards;
    precisePath = precision::solve(shot, *table.curve, ranges);
    flown = precisePath.empty() ? 0.0f : float(precisePath.back().timeS);
    return std::nullopt;
}

bool CHUD::isComputed() const {
    return !precisePath.empty() || (flight && flight->isComputed());
}

bool CHUD::oneResult(float& dropMoa, float& windMoa, float yards, float& time) {
    if (!precisePath.empty()) {
        // Between the two whole ranges around `yards`, in a straight line.
        if (!(yards >= 0) || yards > float(precisePath.size() - 1)) return false;
        const size_t i = std::min(size_t(yards), precisePath.size() - 1);
        const size_t j = std::min(i + 1, precisePath.size() - 1);
        const double f = double(yards) - double(i);
        const auto mix = [f](double a, double b) { return a + (b - a) * f; };
        const auto& a = precisePath[i];
        const auto& b = precisePath[j];
        row = SolverRow{};
        row.t = float(mix(a.timeS, b.timeS));
        row.V = float(mix(a.velocityFps, b.velocityFps));
        row.x = yards;
        row.y = float(mix(a.heightIn, b.heightIn));
        row.z = float(mix(a.windIn, b.windIn));
        dropMoa = inch2moa(row.y, yards);
        windMoa = inch2moa(row.z, yards);
        time = row.t;
        return true;
    }
    if (!flight) return false;
    // The chronograph correction shares the simulator's library and takes its buffers over:
    // the same trajectory is integrated again on the next use.
    CSmallBall& library = flight->library();
    if (!library.isAllocated() && integrated) {
        if (library.allocMem(*integrated))
            library.calcAll(*integrated);
        else
            integrated.reset();
    }
    SolverRow found = row;
    if (flight->row(found, yards, 1) < 1) return false;
    row = found;
    dropMoa = inch2moa(row.y, yards);
    windMoa = inch2moa(row.z, yards);
    time = row.t;
    return true;
}

float CHUD::inch2moa(float inch, float yards) const {
    return Units::moaForInches(inch, toYards(yards));
}

float CHUD::inch2mil(float inch, float yards) const {
    return Units::milsForInches(inch, toYards(yards));
}

void CHUD::final() {
    integrated.reset();
    precisePath.clear();
    if (flight) flight->release();
}
