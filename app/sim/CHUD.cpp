#include "sim/CHUD.h"

#include "load/LoadModel.h"
#include "load/LoadRecord.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/SolverFlight.h"
#include "services/Units.h"

CHUD::CHUD() = default;
CHUD::~CHUD() = default;

bool CHUD::init(float wind, LoadModel& model, const QString& simMaxRange, bool yards) {
    try {
        if (!flight) flight = std::make_unique<SolverFlight>(false); // the simulator's library
        // The record is built exactly as a table's, with the window's current options.
        const MainValues& v = model.values;
        SolverRecord next =
            LoadRecord::build(v.in1, v.in1, {model.form.isAdvanced(), model.form.isMetric()},
                              model.values.metro, model.values.drag);
        const float keptMaxRange = next.maxRange;
        const float keptWind = next.windSpeed;
        const int16_t keptMetric = next.isMetric;

        const auto maxRange = MNumber::parse(simMaxRange);
        const auto single = maxRange ? MNumber::toSingle(*maxRange) : std::nullopt;
        if (!single) {
            MSmallBallStruct::HandleError("CHUD", "init", ErrorNumbers::TypeMismatch,
                                          "Type mismatch");
            return false;
        }
        next.maxRange = *single;
        next.windSpeed = wind;
        next.isMetric = yards ? 0 : 1;

        flight->release();
        // A long range may lie beyond the usual flight: the flight is lengthened (same step
        // count) until the maximum range is reached.
        const bool ok = flight->integrateCovering(next, next.maxRange);
        integrated = ok ? std::optional<SolverRecord>(next) : std::nullopt;
        flown = next.flightTime;
        metric = next.isMetric != 0;

        next.maxRange = keptMaxRange;
        next.windSpeed = keptWind;
        next.isMetric = keptMetric;
        rec = next;
        return ok;
    } catch (const ErrorNumbers::Failure& f) {
        MSmallBallStruct::HandleError("CHUD", "init", f.number, f.what());
        return false;
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError("CHUD", "init", ErrorNumbers::InvalidCall,
                                      QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool CHUD::isComputed() const {
    return flight && flight->isComputed();
}

bool CHUD::oneResult(float& dropMoa, float& windMoa, float yards, float& time) {
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
    const float yd = toYards(yards);
    if (yd == 0.0f) return 0.0f;
    return (100.0f / yd) * (inch / Units::MoaInchesAt100);
}

float CHUD::inch2mil(float inch, float yards) const {
    const float yd = toYards(yards);
    if (yd == 0.0f) return 0.0f;
    return inch * 100.0f / Units::MilInchesAt100F / yd;
}

void CHUD::final() {
    integrated.reset();
    if (flight) flight->release();
}
