#include "sim/CHUD.h"

#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "services/CSmallBall.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"

CHUD::CHUD() = default;
CHUD::~CHUD() = default;

bool CHUD::init(float wind, LoadModel& model, const QString& simMaxRange, bool yards) {
    try {
        // The record is built exactly as a table's, with the window's current options.
        if (!writer) writer = std::make_unique<CTextOutput>();
        const MainValues& v = model.values;
        writer->init(v.isCosineDrop, v.isMoa, model.form.isAdvanced(), v.isPointBlank, v.killZone,
                     v.groupSize);
        writer->sbDll.isTable = false; // the simulator's own library
        SolverRecord next = rec;
        if (!writer->inDllStructSetup(v.in1, next, model)) return false;

        const float keptMaxRange = next.maxRange;
        const float keptWind = next.windSpeed;
        const int16_t keptMetric = next.isMetric;

        const auto maxRange = MNumber::parse(simMaxRange);
        const auto single = maxRange ? MNumber::toSingle(*maxRange) : std::nullopt;
        if (!single) {
            MSmallBallStruct::HandleError("CHUD", "init", 13, "Type mismatch");
            return false;
        }
        next.maxRange = *single;
        next.windSpeed = wind;
        next.isMetric = yards ? 0 : 1;

        writer->sbDll.deAllocMem();
        // A long range may lie beyond the usual flight; the table writer's rule lengthens the
        // flight (same step count) until the maximum range is reached.
        const bool ok = writer->integrateCoveringRange(next, next.maxRange);
        integrated = ok ? std::optional<SolverRecord>(next) : std::nullopt;
        flight = next.flightTime;
        metric = next.isMetric != 0;

        next.maxRange = keptMaxRange;
        next.windSpeed = keptWind;
        next.isMetric = keptMetric;
        rec = next;
        return ok;
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError("CHUD", "init", 5, QString::fromLocal8Bit(e.what()));
        return false;
    }
}

bool CHUD::isComputed() const {
    return writer && writer->sbDll.isAllocated();
}

bool CHUD::oneResult(float& dropMoa, float& windMoa, float yards, float& time) {
    if (!writer) return false;
    // The chronograph correction shares the simulator's library and takes its buffers over:
    // the same trajectory is integrated again on the next use.
    if (!writer->sbDll.isAllocated() && integrated) {
        if (writer->sbDll.allocMem(*integrated))
            writer->sbDll.calcAll(*integrated);
        else
            integrated.reset();
    }
    SolverRow found = row;
    if (writer->sbDll.getOneResult(found, yards, 1) < 1) return false;
    row = found;
    dropMoa = inch2moa(row.y, yards);
    windMoa = inch2moa(row.z, yards);
    time = row.t;
    return true;
}

float CHUD::inch2moa(float inch, float yards) const {
    const float yd = toYards(yards);
    if (yd == 0.0f) return 0.0f;
    return (100.0f / yd) * (inch / MoaInchesAt100);
}

float CHUD::inch2mil(float inch, float yards) const {
    const float yd = toYards(yards);
    if (yd == 0.0f) return 0.0f;
    return inch * 100.0f / MilInchesAt100 / yd;
}

void CHUD::final() {
    integrated.reset();
    if (writer) writer->sbDll.deAllocMem();
}
