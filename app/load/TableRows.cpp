#include "load/TableRows.h"

#include "load/LoadRecord.h"
#include "services/FieldChecks.h"
#include "services/SolverFlight.h"
#include "units/Units.h"

#include <cmath>

namespace TableRows {

namespace {
// Inches one mil covers at 1000 yards, per yard: MilRange = mag x yards x 3.6 / 1000.
constexpr double MilInchesPerYard = Units::MilInchesAt100 / 1000.0;
} // namespace

TableRow rowValues(const SolverRow& row, float range, float height, const RowSettings& s,
                   const CBallUtil& util) {
    using namespace TableColumns;
    TableRow r;
    r[Range] = range;
    const double yards = s.metric ? range * Units::YardsPerMetre : range;
    r[MilRange] = static_cast<float>(s.scopeMag * yards * MilInchesPerYard);
    r[Height] = height;
    r[HeightCorrection] = util.correction(height, range, s.moa, s.metric);
    r[Wind] = row.z;
    r[WindCorrection] = util.correction(row.z, range, s.moa, s.metric);
    r[Velocity] = row.V;
    r[Energy] = static_cast<float>(double(row.V) * row.V * s.weight / Units::EnergyDivisor);
    r[Time] = row.t;
    r[Lead] = s.targetSpeed * row.t * Units::LeadInchesPerMphSecond;
    r[LeadCorrection] = util.correction(r[Lead], range, s.moa, s.metric);
    return r;
}

Computed compute(const Request& q, const CMetro& metro, const CDrag& drag, SolverFlight& flight) {
    Computed out;
    std::vector<TableRow>& rows = out.rows;
    const bool angleCorrection = MSmallBallStruct::isNonZero(q.angle) && q.advanced;
    const Units::CosineRule rule =
        angleCorrection ? Units::cosineRule(q.angle, q.cosineDrop) : Units::CosineRule{};

    SolverRecord record =
        LoadRecord::build(*q.load, *q.conditions, {q.advanced, q.settings.metric}, metro, drag);
    if (q.muzzleVelocity > 0) record.muzzleVelocity = q.muzzleVelocity;
    out.handedBc = record.ballisticCoef;
    if (!flight.integrateCovering(record, float(q.count - 1) * q.increment)) return out;

    // Uphill/downhill: the level-fire heights, either scaled by the cosine (cosine drop) or read
    // at the horizontal distance (cosine range). The other columns stay those of the slant
    // range.
    std::vector<float> level;
    SolverRow row{};
    if (angleCorrection) {
        level.resize(size_t(q.count));
        int16_t index = 1;
        for (int16_t i = 0; i < q.count; ++i) {
            const float r = static_cast<float>(i * rule.rangeFactor * q.increment);
            index = flight.row(row, r, index);
            level[size_t(i)] = static_cast<float>(row.y * rule.heightFactor);
        }
    }

    // A correction that overflows stays non-finite in its row: the table's caller names the
    // input behind it.
    const CBallUtil util(CBallUtil::Overflow::Keep);
    rows.reserve(size_t(q.count));
    int16_t index = 1;
    for (int16_t i = 0; i < q.count; ++i) {
        const float range = float(i) * q.increment;
        index = flight.row(row, range, index);
        const float height = angleCorrection ? level[size_t(i)] : row.y;
        rows.push_back(rowValues(row, range, height, q.settings, util));
    }
    out.ok = true;
    return out;
}

} // namespace TableRows
