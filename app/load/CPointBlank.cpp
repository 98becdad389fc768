#include "load/CPointBlank.h"

#include "load/LoadRecord.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/SolverFlight.h"
#include "services/Units.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <exception>
#include <optional>

namespace {

// Steps per yard of maximum range per second of flight: coarser than a table, the search
// integrates eleven times.
constexpr float stepsPerRange = 6.0f;

int roundInt(float value) {
    return static_cast<int>(MNumber::roundHalfEven(value));
}

// Reads path heights along one trajectory, the row search continuing from the last row found.
class HeightReader {
public:
    HeightReader(CSmallBall& sb, float rangeFactor, float heightFactor)
        : sb(sb), rangeFactor(rangeFactor), heightFactor(heightFactor) {}

    void restart() { index = 1; }
    // Height above the line of sight at range r; a range beyond the computed flight keeps the
    // row read before.
    float at(int r) {
        const int16_t next = sb.getOneResult(row, static_cast<float>(r) * rangeFactor, index);
        index = next < 1 ? int16_t(1) : next;
        return row.y * heightFactor;
    }

private:
    CSmallBall& sb;
    float rangeFactor;
    float heightFactor;
    SolverRow row{};
    int16_t index = 1;
};

} // namespace

bool CPointBlank::pointBlankRange(const CInput& inp, float angle, LoadModel& model) {
    SolverFlight flight(true);
    CSmallBall& sb = flight.library();
    const bool advanced = model.form.isAdvanced();
    try {
        pbZero = pbRange = zero100 = 0;
        const float halfKill = model.values.killZone / 2;
        const float halfGroup = model.values.groupSize / 2;
        const bool cosineDrop = model.values.isCosineDrop;
        const float cosAngle = static_cast<float>(std::cos(angle * Units::DegreesToRadians));
        // Cosine range: heights are read at the horizontal distance of each slant range. A
        // downhill angle reads the level path.
        const float rangeFactor = (angle >= 0.0001f && advanced && !cosineDrop) ? cosAngle : 1.0f;
        const float heightFactor = cosineDrop ? cosAngle : 1.0f;
        // The top of the target left at range r once the group has spread.
        const auto limit = [&](int r) {
            return halfKill - static_cast<float>(r) * halfGroup / 100.0f;
        };

        SolverRecord record =
            LoadRecord::build(inp, model.values.in1, {advanced, model.form.isMetric()},
                              model.values.metro, model.values.drag);
        record.stepRate = MNumber::toInt16(MNumber::roundHalfEven(record.maxRange * stepsPerRange))
                              .value_or(INT16_MAX);
        if (!sb.allocMem(record)) return false;

        HeightReader reader(sb, rangeFactor, heightFactor);
        std::optional<float> at100;
        float h = 0;
        int r = 0;

        // Bisection: a path that rises above the shrunken target before the zero means the zero
        // is too far.
        float upper = upperZero, lower = 0;
        pbZero = firstZero;
        for (int pass = 0; pass < passes; ++pass) {
            record.zeroRange = pbZero;
            record.isZeroed = 1;
            sb.calcAll(record);
            reader.restart();
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
        record.zeroRange = pbZero;
        record.isZeroed = 1;
        sb.calcAll(record);
        reader.restart();
        const int last = roundInt(2 * pbZero);
        for (r = roundInt(pbZero); r <= last; ++r) {
            h = reader.at(r);
            if (limit(r) < -h) break;
            if (r == 100) at100 = h;
        }
        // Neither scan passed 100 (a short zero and a small target): read it off the final path.
        if (!at100) {
            reader.restart();
            at100 = reader.at(100);
        }
        sb.deAllocMem();

        zero100 = *at100;
        pbRange = static_cast<float>(r);
        pbZero = MNumber::roundDecimals(pbZero, 1);
        return true;
    } catch (const std::exception& e) {
        sb.deAllocMem();
        const auto* failure = dynamic_cast<const ErrorNumbers::Failure*>(&e);
        MSmallBallStruct::HandleError(QStringLiteral("CPointBlank"),
                                      QStringLiteral("pointBlankRange"),
                                      failure ? failure->number : ErrorNumbers::InvalidCall,
                                      QString::fromLocal8Bit(e.what()));
        return false;
    }
}
