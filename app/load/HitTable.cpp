#include "load/HitTable.h"

#include "load/CTextOutput.h"
#include "load/HitMath.h"
#include "load/LoadSnapshot.h"
#include "services/ErrorNumbers.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <random>
#include <utility>

namespace HitTable {

namespace {

// How far each input is moved for its flights: large enough that the integer fields (velocity,
// wind) and the rows' rounding do not matter, small enough for a parabola to hold.
constexpr double VelocityStepFps = 25;
constexpr double BcStepPct = 5;
constexpr double WindStepMph = 10;

using Rows = std::vector<TableRow>;

std::optional<Rows> fly(const LoadSnapshot& snapshot, QString& problem,
                        QList<Problem>& solverFailures) {
    CTextOutput txt;
    try {
        const CInput& load = snapshot.values.in1;
        TableResult result = txt.rows(snapshot, load, load);
        solverFailures += result.solverFailures;
        if (!result.ok()) {
            problem = result.reason.isEmpty()
                          ? (result.problem ? result.problem->text : QStringLiteral("No table."))
                          : result.reason;
            return std::nullopt;
        }
        return std::move(result.rows);
    } catch (const ErrorNumbers::Failure& f) {
        problem = QString::fromLocal8Bit(f.what());
        return std::nullopt;
    }
}

LoadSnapshot withVelocity(LoadSnapshot s, double deltaFps) {
    s.values.in1.imvel = int16_t(s.values.in1.imvel + int(deltaFps));
    s.muzzleVelocityFps += deltaFps;
    return s;
}

LoadSnapshot withBc(LoadSnapshot s, double deltaPct) {
    const float scale = float(1 + deltaPct / 100);
    s.values.in1.bcoef *= scale;
    s.values.in1.bcMed *= scale;
    s.values.in1.bcLow *= scale;
    return s;
}

// A full-value crosswind of the load's own crosswind part plus `deltaMph`.
LoadSnapshot withCrosswind(LoadSnapshot s, double deltaMph) {
    CInput& in = s.values.in1;
    const double lateral = in.ixwvel * std::sin(in.ixwangl * 3.14159265358979 / 180);
    in.ixwangl = 90;
    in.ixwvel = int16_t(std::lround(lateral + deltaMph));
    return s;
}

double slope(const std::array<double, 3>& y, double step) {
    return (y[2] - y[0]) / (2 * step);
}
double curve(const std::array<double, 3>& y, double step) {
    return (y[2] - 2 * y[1] + y[0]) / (2 * step * step);
}
// The impact's move for an error `e` of the source.
double offset(const std::array<double, 3>& y, double step, double e) {
    return slope(y, step) * e + curve(y, step) * e * e;
}

double rangeYd(double range, bool metric) {
    return metric ? range * HitMath::YardsPerMetre : range;
}

std::array<double, SourceCount> sds(const HitInputs& in) {
    return {0, in.velocitySdFps, in.bcSdPct, in.rangeSd, in.windSdMph};
}

bool inside(const HitInputs& in, double vIn, double hIn) {
    if (in.circle()) {
        const double r = in.circleDiameterIn / 2;
        return vIn * vIn + hIn * hIn <= r * r;
    }
    return std::fabs(hIn) <= in.targetWidthIn / 2 && std::fabs(vIn) <= in.targetHeightIn / 2;
}

using Normal = std::normal_distribution<double>;

// The share of a row's shots inside the target, in %, from `samples` shots drawn by `engine`.
double rowMonteCarlo(const Row& row, const HitInputs& inputs, int samples, std::mt19937_64& engine,
                     Normal& normal) {
    const auto sd = sds(inputs);
    int hits = 0;
    for (int n = 0; n < samples; ++n) {
        double v = row.rifleSigmaIn * normal(engine), h = row.rifleSigmaIn * normal(engine);
        for (int s = Velocity; s < SourceCount; ++s) {
            const double e = sd[s] * normal(engine);
            const Response& r = row.response[s];
            v += offset(r.heightIn, r.step, e);
            h += offset(r.driftIn, r.step, e);
        }
        if (inside(inputs, v, h)) ++hits;
    }
    return samples > 0 ? 100.0 * hits / samples : 0;
}

// Whether the impact's response to some error, at two of its standard deviations, bends from
// the straight line by more than a tenth of the line's move and enough to matter beside the
// axis's spread: there the linear method's normal impact is no longer the impact's shape.
bool bends(const Row& row, const std::array<double, SourceCount>& sd) {
    for (int s = Velocity; s < SourceCount; ++s) {
        const Response& r = row.response[s];
        const double e = 2 * sd[s];
        const std::pair<const std::array<double, 3>*, double> axes[] = {{&r.heightIn, row.sigmaVIn},
                                                                        {&r.driftIn, row.sigmaHIn}};
        for (const auto& [y, sigma] : axes) {
            const double line = std::fabs(slope(*y, r.step)) * e;
            const double bend = std::fabs(curve(*y, r.step)) * e * e;
            if (bend > 0.1 * line && bend > 0.02 * sigma) return true;
        }
    }
    return false;
}

} // namespace

QString sourceName(Source source) {
    static const char* const names[SourceCount] = {"rifle", "velocity", "BC", "range", "wind"};
    return QString::fromLatin1(names[source]);
}

double Row::slopeV(Source s) const {
    return slope(response[s].heightIn, response[s].step);
}
double Row::slopeH(Source s) const {
    return slope(response[s].driftIn, response[s].step);
}

Result compute(const LoadSnapshot& snapshot, const HitInputs& inputs) {
    Result result;
    result.problem = snapshot.loadProblem();
    if (!result.problem.isEmpty()) return result;

    // The table itself and each input moved down and up (the middle flight is the table's).
    struct Moved {
        Source source;
        double step;
        LoadSnapshot down, mid, up;
    };
    const std::array<Moved, 3> moved{{
        {Velocity, VelocityStepFps, withVelocity(snapshot, -VelocityStepFps), snapshot,
         withVelocity(snapshot, VelocityStepFps)},
        {Bc, BcStepPct, withBc(snapshot, -BcStepPct), snapshot, withBc(snapshot, BcStepPct)},
        {WindCall, WindStepMph, withCrosswind(snapshot, -WindStepMph), withCrosswind(snapshot, 0),
         withCrosswind(snapshot, WindStepMph)},
    }};
    const std::optional<Rows> base = fly(snapshot, result.problem, result.solverFailures);
    if (!base) return result;
    size_t count = base->size();
    std::array<std::array<Rows, 3>, 3> flights;
    for (size_t m = 0; m < moved.size(); ++m) {
        const LoadSnapshot* three[3] = {&moved[m].down, &moved[m].mid, &moved[m].up};
        for (int k = 0; k < 3; ++k) {
            // The velocity's and the BC's middle flights are the table itself.
            if (k == 1 && moved[m].source != WindCall) {
                flights[m][k] = *base;
                continue;
            }
            std::optional<Rows> rows = fly(*three[k], result.problem, result.solverFailures);
            if (!rows) return result;
            count = std::min(count, rows->size());
            flights[m][k] = std::move(*rows);
        }
    }
    result.problem.clear();

    using TableColumns::Height, TableColumns::Wind, TableColumns::Range;
    for (size_t i = 0; i < count; ++i) {
        Row row;
        row.range = (*base)[i][Range];
        for (size_t m = 0; m < moved.size(); ++m) {
            Response& r = row.response[moved[m].source];
            r.step = moved[m].step;
            for (int k = 0; k < 3; ++k) {
                r.heightIn[k] = flights[m][k][i][Height];
                r.driftIn[k] = flights[m][k][i][Wind];
            }
        }
        // A range error: the shooter holds for the range he believes. The parabola through the
        // neighbouring rows gives the height there; the impact moves by the opposite amount.
        Response& r = row.response[RangeError];
        if (count >= 3) {
            const size_t j = std::clamp<size_t>(i, 1, count - 2);
            const double s = (*base)[j + 1][Range] - (*base)[j][Range];
            const double y0 = (*base)[j - 1][Height], y1 = (*base)[j][Height],
                         y2 = (*base)[j + 1][Height];
            const double b = (y2 - y0) / (2 * s), c = (y2 - 2 * y1 + y0) / (2 * s * s);
            const double x = row.range - (*base)[j][Range];
            auto p = [&](double at) { return -(y1 + b * at + c * at * at); };
            r.step = s;
            r.heightIn = {p(x - s), p(x), p(x + s)};
        }
        result.rows.push_back(row);
    }
    propagate(result, inputs, snapshot.metric());
    return result;
}

void propagate(Result& result, const HitInputs& inputs, bool metric) {
    const auto sd = sds(inputs);
    for (Row& row : result.rows) {
        row.rifleSigmaIn = HitMath::groupSigmaIn(inputs.groupMoa, rangeYd(row.range, metric));
        std::array<double, SourceCount> variance{};
        variance[Rifle] = 2 * row.rifleSigmaIn * row.rifleSigmaIn;
        double v = row.rifleSigmaIn * row.rifleSigmaIn, h = v;
        for (int s = Velocity; s < SourceCount; ++s) {
            const double dv = row.slopeV(Source(s)) * sd[s], dh = row.slopeH(Source(s)) * sd[s];
            v += dv * dv;
            h += dh * dh;
            variance[s] = dv * dv + dh * dh;
        }
        row.sigmaVIn = std::sqrt(v);
        row.sigmaHIn = std::sqrt(h);
        const double total = v + h;
        for (int s = 0; s < SourceCount; ++s)
            row.budgetPct[s] = total > 0 ? 100 * variance[s] / total : 0;
        const double p =
            inputs.circle()
                ? HitMath::circleProbability(inputs.circleDiameterIn, row.sigmaVIn, row.sigmaHIn)
                : HitMath::rectangleProbability(inputs.targetWidthIn, inputs.targetHeightIn,
                                                row.sigmaVIn, row.sigmaHIn);
        row.hitPct = 100 * p;
        // The same shots for any target, so a larger target never counts fewer.
        row.monteCarlo = bends(row, sd);
        if (row.monteCarlo) {
            std::mt19937_64 engine(FallbackSeed);
            Normal normal;
            row.hitPct = rowMonteCarlo(row, inputs, FallbackSamples, engine, normal);
        }
    }
}

std::vector<double> monteCarlo(const Result& result, const HitInputs& inputs, int samples,
                               std::uint64_t seed, bool metric) {
    std::mt19937_64 engine(seed);
    Normal normal;
    std::vector<double> pct;
    pct.reserve(result.rows.size());
    for (Row row : result.rows) {
        row.rifleSigmaIn = HitMath::groupSigmaIn(inputs.groupMoa, rangeYd(row.range, metric));
        pct.push_back(rowMonteCarlo(row, inputs, samples, engine, normal));
    }
    return pct;
}

} // namespace HitTable
