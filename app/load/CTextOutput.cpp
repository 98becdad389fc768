#include "load/CTextOutput.h"

#include "load/InputFields.h"
#include "load/MPrint.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/Prompt.h"

#include <algorithm>
#include <cmath>
#include <new>
#include <stdexcept>

using MSmallBallStruct::isNonZero;

namespace {

const QString ClassName = QStringLiteral("CTextOutput");

constexpr double DegreesToRadians = 0.0174532925199433;
constexpr double MetresToYards = 1.09361329833771;
// V^2 x grains / 450400 gives ft-lbf (the classic table constant, kept for matching tables).
constexpr double EnergyDivisor = 450400.0;
// Inches one mil covers at 1000 yards, per yard: MilRange = mag x yards x 3.6 / 1000.
constexpr double MilInchesPerYard = 3.6 / 1000.0;
// A table integrates 16 steps per yard of maximum range over the base flight time.
constexpr double StepRatePerRangeUnit = 8.0;
// The solver's clock is single precision; allow for its rounding before calling a row an
// extrapolation past the end of the flight.
constexpr double FlightEndTolerance = 1e-3;

// The look-ahead integrates a sixteenth of the table's steps over the longest flight; below
// LookAheadFrom steps a table is cheap enough to find its flight time by the exact check alone.
constexpr int16_t LookAheadDivisor = 16;
constexpr int16_t LookAheadMinSteps = 100;
constexpr int16_t LookAheadFrom = 4000;
// The coarse flight time is trusted to skip a level only when it is this far beyond it.
constexpr double LookAheadMargin = 0.02;

constexpr long ErrOverflow = 6;
constexpr long ErrOutOfMemory = 7;
constexpr long ErrInvalidCall = 5;

// A failure carrying the error number its report shows.
struct Failure : std::runtime_error {
    long number;
    Failure(long n, const char* text) : std::runtime_error(text), number(n) {}
};

int16_t checkedInt16(double value) {
    const auto v = MNumber::toInt16(value);
    if (!v) throw Failure(ErrOverflow, "Overflow");
    return *v;
}

// Runs an operation's body; any failure is reported under the operation's name and the
// operation returns false to its caller, which carries on.
template <class Body> bool guarded(const char* operation, Body&& body) {
    try {
        return body();
    } catch (const Failure& f) {
        MSmallBallStruct::HandleError(ClassName, operation, f.number, f.what());
    } catch (const std::bad_alloc&) {
        MSmallBallStruct::HandleError(ClassName, operation, ErrOutOfMemory, "Out of memory");
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError(ClassName, operation, ErrInvalidCall,
                                      QString::fromLocal8Bit(e.what()));
    }
    return false;
}

void rangeSanityMessage() {
    showMessage(QStringLiteral("Range Values wrong"), QStringLiteral("Sanity Check"));
}

// The lateral part of the load's crosswind: 90 degrees is a full-value wind from the left,
// 270 from the right, 0 and 180 blow along the line of fire and drift nothing.
float lateralWind(int16_t mph, int16_t degrees) {
    double s = std::sin(degrees * DegreesToRadians);
    if (std::fabs(s) < 1e-9) s = 0.0;
    return static_cast<float>(mph * s);
}

float energy(float velocity, int weight) {
    return static_cast<float>(double(velocity) * velocity * weight / EnergyDivisor);
}

// What the graph plots for a row: 0 drop, 1 velocity, 2 energy, 3 drift at the load's wind.
float graphValue(const SolverRow& row, int weight, int yAxis) {
    switch (yAxis) {
    case 0:
        return row.y;
    case 1:
        return row.V;
    case 2:
        return energy(row.V, weight);
    default:
        return row.z;
    }
}

QString numberText(float value) {
    return MNumber::shortText(value);
}

// A column value: fixed decimals, fitted to its inner width (printColumns pads it to 8).
QString cell(float value, int decimals, int innerWidth) {
    return MPrint::padLeft(MPrint::formatFixed(value, decimals), innerWidth);
}

} // namespace

void CTextOutput::init(bool improvedAngleIn, bool moaClicks, bool advanced, bool pointBlankIn,
                       float kZoneIn, float gSizeIn) {
    sbDll.isTable = true;
    improvedAngle = improvedAngleIn;
    moa = moaClicks;
    isAdvanced = advanced;
    pointBlank = pointBlankIn;
    kZone = kZoneIn;
    gSize = gSizeIn;
}

bool CTextOutput::getNumSteps(float& increment, int16_t& rows, bool isTable,
                              const LoadModel& model) {
    return guarded("getNumSteps", [&] {
        const CInput& in1 = model.values.in1;
        increment = isTable ? float(in1.iydsinc) : float(in1.iydsinc) / 4.0f;
        const float steps = float(in1.imaxyds) / increment;
        rows = checkedInt16(std::floor(double(steps) + 0.9999) + 1.0);
        if (rows < 1) {
            rangeSanityMessage();
            return false;
        }
        return true;
    });
}

bool CTextOutput::inDllStructSetup(const CInput& load, SolverRecord& record, LoadModel& model) {
    return guarded("inDllStructSetup", [&] {
        MainValues& values = model.values;
        const CInput& in1 = values.in1;
        SolverRecord r{};
        r.muzzleVelocity = load.imvel;
        r.ballisticCoef = load.bcoef;
        r.flightTime = BaseFlightTime;
        r.maxRange = in1.imaxyds;
        r.sightHeight = in1.sightheight;
        r.windSpeed = lateralWind(in1.ixwvel, in1.ixwangl);
        r.departureAngle = 0;
        r.zeroRange = in1.izrange;
        r.dragModel = isAdvanced ? values.drag.getDrag(load.dragIndex) : int16_t(0);
        r.stepRate = checkedInt16(double(r.maxRange) * StepRatePerRangeUnit);
        r.lowerBc = load.bcMed;
        r.lowerVel = load.vMed;
        r.lowestBc = load.bcLow;
        r.lowestVel = load.vLow;
        r.spareBc = load.bcLow;
        r.spareVel = load.vLow;
        if (isAdvanced) {
            values.metro.useStationPressure = -1;
            float vapourFactor = 1;
            float densityRatio = 1;
            values.metro.correctionFactors(in1.alt, in1.temp, vapourFactor, densityRatio);
            r.ballisticCoef = static_cast<float>(double(r.ballisticCoef) * vapourFactor /
                                                 densityRatio * 0.9968801);
        }
        values.metroBc = r.ballisticCoef;
        r.isZeroed = isNonZero(r.zeroRange) ? 1 : 0;
        r.isMetric = model.form.isMetric() ? 1 : 0;
        record = r;
        return true;
    });
}

bool CTextOutput::rangeBeyondFlight(const SolverRecord& record, float range) {
    SolverRow row{};
    if (sbDll.getOneResult(row, range, 1) != 0) return false;
    return row.t > record.flightTime * (1.0 + FlightEndTolerance);
}

float CTextOutput::lookAheadFlightTime(const SolverRecord& record, int16_t count, float lastRange) {
    // A coarse pass over the longest flight tells roughly when the last range is reached; only
    // a clear verdict skips a level, anything near a boundary is left to the exact check.
    SolverRecord coarse = record;
    coarse.flightTime = LongestFlightTime;
    const int16_t coarseCount = std::max<int16_t>(LookAheadMinSteps, count / LookAheadDivisor);
    coarse.stepRate = checkedInt16(coarseCount / double(coarse.flightTime));
    float flightTime = record.flightTime;
    if (!sbDll.allocMem(coarse)) return flightTime;
    sbDll.calcAll(coarse);
    SolverRow row{};
    sbDll.getOneResult(row, lastRange, 1);
    while (flightTime < LongestFlightTime && row.t > flightTime * (1.0 + LookAheadMargin))
        flightTime *= 2.0f;
    return flightTime;
}

bool CTextOutput::integrateCoveringRange(SolverRecord& record, float lastRange) {
    const int16_t count = checkedInt16(double(record.stepRate) * record.flightTime);
    if (count < 1) {
        rangeSanityMessage();
        return false;
    }
    // A slow or draggy load may not reach the last range within the base flight time: fly
    // longer with the same number of steps rather than extrapolate the far rows.
    auto setFlightTime = [&](float flightTime) {
        record.flightTime = flightTime;
        record.stepRate = checkedInt16(count / double(flightTime));
    };
    if (count >= LookAheadFrom) setFlightTime(lookAheadFlightTime(record, count, lastRange));
    if (!sbDll.allocMem(record)) return false;
    sbDll.calcAll(record);
    while (record.flightTime < LongestFlightTime && rangeBeyondFlight(record, lastRange)) {
        setFlightTime(record.flightTime * 2.0f);
        sbDll.calcAll(record);
    }
    flightTimeUsed = record.flightTime;
    return true;
}

bool CTextOutput::printTextTable(const CInput& load, bool textTable, std::vector<float>& dropArray,
                                 std::vector<float>& rangeArray, float angle, LoadModel& model) {
    txtOutBuffer.clear();
    dropArray.clear();
    rangeArray.clear();
    flightTimeUsed = BaseFlightTime;
    const bool ok = guarded("printTextTable", [&] {
        separator = model.values.isComma ? QStringLiteral(",") : QStringLiteral(" ");
        const bool angleCorrection = isNonZero(angle) && isAdvanced;
        const double cosAngle = std::cos(angle * DegreesToRadians);
        const double rangeFactor = angleCorrection && !improvedAngle ? cosAngle : 1.0;
        const double dropFactor = cosAngle;

        float increment = 0;
        int16_t rows = 0;
        if (!getNumSteps(increment, rows, textTable, model)) return false;
        SolverRecord record{};
        if (!inDllStructSetup(load, record, model)) return false;
        if (!integrateCoveringRange(record, float(rows - 1) * increment)) return false;

        // Uphill/downhill: the level-fire heights, either scaled by the cosine (cosine drop)
        // or read at the horizontal distance (cosine range). The other columns stay those of
        // the slant range.
        std::vector<float> level;
        SolverRow row{};
        if (angleCorrection) {
            level.resize(size_t(rows));
            int16_t index = 1;
            for (int16_t i = 0; i < rows; ++i) {
                const float r = static_cast<float>(i * rangeFactor * increment);
                index = sbDll.getOneResult(row, r, index);
                level[size_t(i)] = improvedAngle ? static_cast<float>(row.y * dropFactor) : row.y;
            }
        }

        if (textTable) printHeader(load, model);
        dropArray.resize(size_t(rows));
        rangeArray.resize(size_t(rows));
        int16_t index = 1;
        for (int16_t i = 0; i < rows; ++i) {
            const float range = float(i) * increment;
            index = sbDll.getOneResult(row, range, index);
            if (angleCorrection) row.y = level[size_t(i)];
            // One fault, one message: a row that fails ends the table.
            if (textTable && !printOneRow(load.ibweight, range, row, angle, row.y, model))
                return false;
            rangeArray[size_t(i)] = range;
            dropArray[size_t(i)] = graphValue(row, load.ibweight, model.form.yAxis);
        }
        return true;
    });
    sbDll.deAllocMem();
    if (!ok) {
        txtOutBuffer.clear();
        dropArray.clear();
        rangeArray.clear();
    }
    return ok;
}

void CTextOutput::printHeader(const CInput& in1, const LoadModel& model) {
    guarded("printHeader", [&] {
        using namespace MPrint;
        QString& out = txtOutBuffer;
        const auto item = [&out](const QString& text) { appendWord(out, padRight(text, 30)); };
        const QString unit =
            model.form.isMetric() ? QStringLiteral(" meters") : QStringLiteral(" yards");
        const auto& fields = model.form.fields;

        appendWord(out, fields[InputFields::Cartridge]);
        printNewLine(out);
        item("Altitude        : " + numberText(in1.alt) + " ft");
        item("Temperature      : " + numberText(in1.temp) + QStringLiteral("  \u00B0F"));
        printNewLine(out);
        item("Bullet Weight   : " + QString::number(in1.ibweight) + " gr");
        item("BC               : " + numberText(in1.bcoef));
        printNewLine(out);
        item("Xwind Speed     : " + QString::number(in1.ixwvel) + " mph");
        item("Xwind Angle      : " + QString::number(in1.ixwangl) + QStringLiteral(" \u00B0"));
        printNewLine(out);
        item("Muzzle Velocity : " + QString::number(in1.imvel) + " fps");
        item("Zero Range       : " + QString::number(in1.izrange) + unit);
        printNewLine(out);
        const QString targetSpeed =
            isAdvanced ? fields[InputFields::TargetSpeed] : QStringLiteral("0");
        item("Target Speed    : " + targetSpeed + " mph");
        if (isAdvanced) item("Angle            : " + fields[InputFields::Angle] + " degrees");
        printNewLine(out);
        printNewLine(out);

        const bool milRange = model.form.isMilRange();
        if (milRange) {
            appendWord(out, QStringLiteral("MilRange is the number of inches covered by one "
                                           "Mildot. "));
            appendWord(out, "Scope Magnification: x" + numberText(model.values.scopeMag));
            printNewLine(out);
        }

        Columns headings{"Range",  milRange ? "MilRange" : "",
                         "Height", moa ? "Hclicks" : "Hmils",
                         "Wind",   moa ? "Wclicks" : "Wmils",
                         "Vel",    "Energy",
                         "TOF",    "Lead",
                         "LClicks"};
        printColumns(out, headings, separator);
        Columns dashes;
        for (size_t i = 0; i < dashes.size(); ++i)
            if (!headings[i].isEmpty()) dashes[i] = QStringLiteral("-------");
        printColumns(out, dashes, separator);
        return true;
    });
}

bool CTextOutput::printOneRow(int weight, float range, const SolverRow& row, float angle,
                              float height, const LoadModel& model) {
    return guarded("printOneRow", [&] {
        const bool metric = model.form.isMetric();
        const int clickDecimals = moa ? 0 : 1;
        const float y = isNonZero(angle) && isAdvanced ? height : row.y;
        // The target speed is one of the extra inputs: it counts only while they show.
        const float speed = isAdvanced ? model.values.speed : 0.0f;
        const float lead = speed * row.t * CBallUtil::leadInchesPerMphSecond;
        util.clearOverflow();

        MPrint::Columns c;
        c[0] = MPrint::padLeft(numberText(range), 5);
        if (model.form.isMilRange()) {
            const double yards = metric ? range * MetresToYards : range;
            c[1] = cell(static_cast<float>(model.values.scopeMag * yards * MilInchesPerYard), 1, 8);
        }
        c[2] = cell(y, 2, 8);
        c[3] = cell(util.angleRound(y, range, moa, metric), clickDecimals, 5);
        c[4] = cell(row.z, 1, 8);
        c[5] = cell(util.angleRound(row.z, range, moa, metric), clickDecimals, 8);
        c[6] = cell(row.V, 1, 8);
        c[7] = cell(energy(row.V, weight), 1, 8);
        c[8] = cell(row.t, 3, 5);
        c[9] = cell(lead, 1, 8);
        c[10] = cell(util.angleRound(lead, range, moa, metric), clickDecimals, moa ? 5 : 8);
        if (util.overflowed()) return false;
        MPrint::printColumns(txtOutBuffer, c, separator);
        return true;
    });
}
