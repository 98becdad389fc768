// The hit probability at every table row: the impact's sensitivities to each error, found by
// flying the load again with the input moved either way (the same model and rows as the Table
// tab, classic or precision), propagated to a vertical and a horizontal sigma, and the chance
// that the target holds the impact. A seeded Monte Carlo over the same flights checks it.
//
// The linear method is good while each error moves the impact in proportion; it fails for very
// large spreads and where the bullet goes transonic (the flights diverge). At a row where the
// impact's response to an error bends away from its slope, the hit % is the Monte Carlo's, which
// follows each flight's curvature.
#pragma once

#include "load/HitInputs.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <array>
#include <cstdint>
#include <vector>

struct LoadSnapshot;

namespace HitTable {

enum Source { Rifle, Velocity, Bc, RangeError, WindCall, SourceCount };

// The names of the sources, for headings and the budget ("rifle", "velocity", ...).
QString sourceName(Source source);

// The impact at one row for a source moved by -step, 0 and +step (inches): a parabola through
// them gives the impact at any error, its slope at 0 the sensitivity.
struct Response {
    std::array<double, 3> heightIn{};
    std::array<double, 3> driftIn{};
    double step = 1; // the source's unit: ft/s, % of the BC, range unit, mph
};

struct Row {
    double range = 0; // range unit
    double sigmaVIn = 0;
    double sigmaHIn = 0;
    double hitPct = 0;
    std::array<double, SourceCount> budgetPct{};  // each source's share of the variance, sum 100
    std::array<Response, SourceCount> response{}; // Rifle's is unused (it is a sigma itself)
    double rifleSigmaIn = 0;
    // The response bends too much for the linear method: hitPct is a seeded Monte Carlo's.
    bool monteCarlo = false;

    // Inches per unit of the source, vertically and horizontally (the central difference).
    double slopeV(Source s) const;
    double slopeH(Source s) const;
};

struct Result {
    std::vector<Row> rows;
    QString problem;               // why no rows (the load's own message)
    QList<Problem> solverFailures; // the solver binding's, for the entry point to report first
    bool ok() const { return problem.isEmpty() && !rows.empty(); }
};

// The linear method for the load in `snapshot`.
Result compute(const LoadSnapshot& snapshot, const HitInputs& inputs);

// The rows' sigmas and probabilities again, from the flights already in `result`, for other
// inputs (cheap: no flight; a row that falls back to the Monte Carlo costs about a millisecond).
void propagate(Result& result, const HitInputs& inputs, bool metric);

// The Monte Carlo's hit % per row: `samples` shots with std::mt19937_64 seeded `seed`, each
// error drawn normal and mapped through the flights' parabolas.
inline constexpr int FallbackSamples = 10000;
inline constexpr std::uint64_t FallbackSeed = 1;

std::vector<double> monteCarlo(const Result& result, const HitInputs& inputs, int samples,
                               std::uint64_t seed, bool metric);

} // namespace HitTable
