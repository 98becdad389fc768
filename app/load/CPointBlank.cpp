#include "load/CPointBlank.h"

#include "load/DragTables.h"
#include "load/PrecisionRows.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/SolverFlight.h"
#include "units/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <limits>
#include <memory>
#include <optional>

namespace {

// Steps per yard of maximum range per second of flight: coarser than a table, the search
// integrates eleven times.
constexpr float stepsPerRange = 6.0f;

int roundInt(float value) {
    return static_cast<int>(MNumber::roundHalfEven(value));
}

// Heights of the path above the line of sight for a zero, from the load's model.
class PathHeights {
public:
    virtual ~PathHeights() = default;
    // Flies the path zeroed at `zero` (range unit).
    virtual void fly(float zero) = 0;
    // Height above the line of sight at range r (range unit), in inches.
    virtual float at(int r) = 0;
};

// The classic model: the table library's path, its heights read at the horizontal distance or
// scaled by the cosine as the angle option says; a range beyond the computed flight keeps the
// row read before, and the row search continues from the last row found.
class ClassicHeights : public PathHeights {
public:
    ClassicHeights(CSmallBall& sb, SolverRecord& record, float rangeFactor, float heightFactor)
        : sb(sb), record(record), rangeFactor(rangeFactor), heightFactor(heightFactor) {}

    void fly(float zero) override {
        record.zeroRange = zero;
        record.isZeroed = 1;
        sb.calcAll(record);
        index = 1;
    }
    float at(int r) override {
        const int16_t next = sb.getOneResult(row, static_cast<float>(r) * rangeFactor, index);
        index = next < 1 ? int16_t(1) : next;
        return row.y * heightFactor;
    }

private:
    CSmallBall& sb;
    SolverRecord& record;
    float rangeFactor;
    float heightFactor;
    SolverRow row{};
    int16_t index = 1;
};

// The precision model: inclined fire is part of its path, so heights are read as they are.
class PrecisionHeights : public PathHeights {
public:
    PrecisionHeights(const precision::Shot& shot, const precision::DragCurve& drag, double toYards)
        : shot(shot), drag(drag), toYards(toYards) {
        // The search reads every whole range out to twice its farthest zero.
        ranges.resize(size_t(2 * CPointBlank::upperZero) + 2);
        for (size_t i = 0; i < ranges.size(); ++i)
            ranges[i] = double(i) * toYards;
    }

    void fly(float zero) override {
        shot.zeroRangeYd = zero * toYards;
        points = precision::solve(shot, drag, ranges);
    }
    float at(int r) override {
        // A zero the bullet cannot reach is too far: the path counts as above every target.
        if (points.empty()) return std::numeric_limits<float>::max();
        const size_t i = std::min(size_t(std::max(r, 0)), points.size() - 1);
        return static_cast<float>(points[i].heightIn);
    }

private:
    precision::Shot shot;
    const precision::DragCurve& drag;
    double toYards;
    std::vector<double> ranges;
    std::vector<precision::TrajectoryPoint> points;
};

} // namespace

bool CPointBlank::pointBlankRange(const LoadSnapshot& model) {
    SolverFlight flight(true);
    // However the search ends, the binding's failures go with its result.
    struct HandOver {
        CPointBlank& search;
        SolverFlight& flight;
        ~HandOver() { search.solverFailures = flight.takeFailures(); }
    } handOver{*this, flight};
    CSmallBall& sb = flight.library();
    const bool advanced = model.form.isAdvanced();
    const CInput& inp = model.values.in1;
    const float angle = model.angleDeg;
    failure.reset();
    try {
        pbZero = pbRange = zero100 = 0;
        const float halfKill = model.values.killZone / 2;
        const float halfGroup = model.values.groupSize / 2;
        const bool cosineDrop = model.values.isCosineDrop;
        const Units::CosineRule rule = Units::cosineRule(angle, cosineDrop);
        // Cosine range: heights are read at the horizontal distance of each slant range. A
        // downhill angle reads the level path.
        const float rangeFactor =
            (angle >= 0.0001f && advanced) ? static_cast<float>(rule.rangeFactor) : 1.0f;
        const float heightFactor = static_cast<float>(rule.heightFactor);
        // The top of the target left at range r once the group has spread.
        const auto limit = [&](int r) {
            return halfKill - static_cast<float>(r) * halfGroup / 100.0f;
        };

        SolverRecord record{};
        std::unique_ptr<PathHeights> path;
        DragTables::Loaded table;
        if (model.form.isPrecision()) {
            table = DragTables::load(model.form.precision);
            if (!table.curve)
                throw ErrorNumbers::Failure(ErrorNumbers::FileNotFound,
                                            table.problem.toLocal8Bit().constData());
            path = std::make_unique<PrecisionHeights>(
                PrecisionRows::shot(model.precisionInputs()), *table.curve,
                model.form.isMetric() ? Units::YardsPerMetre : 1.0);
        } else {
            record = model.record(inp, inp);
            record.stepRate =
                MNumber::toInt16(MNumber::roundHalfEven(record.maxRange * stepsPerRange))
                    .value_or(INT16_MAX);
            if (!sb.allocMem(record)) return false;
            path = std::make_unique<ClassicHeights>(sb, record, rangeFactor, heightFactor);
        }
        PathHeights& reader = *path;
        std::optional<float> at100;
        float h = 0;
        int r = 0;

        // Bisection: a path that rises above the shrunken target before the zero means the zero
        // is too far.
        float upper = upperZero, lower = 0;
        pbZero = firstZero;
        for (int pass = 0; pass < passes; ++pass) {
            reader.fly(pbZero);
            const int last = roundInt(pbZero);
            for (r = 0; r <= last; ++r) {
                h = reader.at(r);
                if (limit(r) < h) break;
                if (r == 100) at100 = h;
            }
            if (limit(r) <= h)
                upper = std::min(upper, pbZero);
            else
                lower = std::max(lower, pbZero);
            pbZero = (upper + lower) / 2;
        }

        // The final path, followed down until it leaves the bottom of the shrunken target.
        reader.fly(pbZero);
        const int last = roundInt(2 * pbZero);
        for (r = roundInt(pbZero); r <= last; ++r) {
            h = reader.at(r);
            if (limit(r) < -h) break;
            if (r == 100) at100 = h;
        }
        // Neither scan passed 100 (a short zero and a small target): read it off the final path.
        if (!at100) {
            reader.fly(pbZero);
            at100 = reader.at(100);
        }
        sb.deAllocMem();

        zero100 = *at100;
        pbRange = static_cast<float>(r);
        pbZero = MNumber::roundDecimals(pbZero, 1);
        return true;
    } catch (const std::exception& e) {
        sb.deAllocMem();
        const auto* thrown = dynamic_cast<const ErrorNumbers::Failure*>(&e);
        failure = Problem::failure(QStringLiteral("CPointBlank"), QStringLiteral("pointBlankRange"),
                                   thrown ? thrown->number : ErrorNumbers::InvalidCall,
                                   QString::fromLocal8Bit(e.what()));
        return false;
    }
}
