#include "load/CTextOutput.h"

#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadRecord.h"
#include "load/PrecisionRows.h"
#include "load/TableRows.h"
#include "load/TableText.h"
#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/Prompt.h"

#include <cmath>
#include <new>

using MSmallBallStruct::isNonZero;

namespace {

const QString ClassName = QStringLiteral("CTextOutput");

// Runs an operation's body; any failure is reported under the operation's name and the
// operation returns false to its caller, which carries on.
template <class Body> bool guarded(const char* operation, Body&& body) {
    try {
        return body();
    } catch (const ErrorNumbers::Failure& f) {
        MSmallBallStruct::HandleError(ClassName, operation, f.number, f.what());
    } catch (const std::bad_alloc&) {
        MSmallBallStruct::HandleError(ClassName, operation, ErrorNumbers::OutOfMemory,
                                      "Out of memory");
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError(ClassName, operation, ErrorNumbers::InvalidCall,
                                      QString::fromLocal8Bit(e.what()));
    }
    return false;
}

// What the graph plots for a row: 0 drop, 1 velocity, 2 energy, 3 drift at the load's wind.
float graphValue(const TableRow& row, int yAxis) {
    using namespace TableColumns;
    switch (yAxis) {
    case 0:
        return row[Height];
    case 1:
        return row[Velocity];
    case 2:
        return row[Energy];
    default:
        return row[Wind];
    }
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

std::vector<TableColumns::Format> CTextOutput::columns(const LoadModel& model) const {
    return TableColumns::columns(
        {moa, model.form.isMetric(), model.form.isMilRange(), model.form.isPrecision()});
}

bool CTextOutput::getNumSteps(float& increment, int16_t& rows, bool isTable,
                              const LoadModel& model) {
    return guarded("getNumSteps", [&] {
        const CInput& in1 = model.values.in1;
        increment = isTable ? float(in1.iydsinc) : float(in1.iydsinc) / 4.0f;
        const float steps = float(in1.imaxyds) / increment;
        rows = SolverFlight::checkedInt16(std::floor(double(steps) + 0.9999) + 1.0);
        if (rows < 1) {
            showMessage(QStringLiteral("Range Values wrong"), QStringLiteral("Sanity Check"));
            return false;
        }
        return true;
    });
}

bool CTextOutput::inDllStructSetup(const CInput& load, SolverRecord& record, LoadModel& model) {
    return guarded("inDllStructSetup", [&] {
        record = LoadRecord::build(load, model.values.in1, {isAdvanced, model.form.isMetric()},
                                   model.values.metro, model.values.drag);
        return true;
    });
}

bool CTextOutput::printTextTable(const CInput& load, bool textTable, std::vector<float>& dropArray,
                                 std::vector<float>& rangeArray, float angle, LoadModel& model,
                                 const PrecisionForm* own) {
    txtOutBuffer.clear();
    tableRows.clear();
    dropArray.clear();
    rangeArray.clear();
    flightTimeUsed = BaseFlightTime;
    const bool ok = guarded("printTextTable", [&] {
        separator = model.values.isComma ? QStringLiteral(",") : QStringLiteral(" ");
        if (!computeRows(load, model.values.in1, textTable, angle, model, own)) return false;
        if (textTable) {
            printHeader(load, model);
            const auto formats = columns(model);
            for (const TableRow& row : tableRows)
                TableText::appendRow(txtOutBuffer, row, formats, separator);
            // Only the precision model ends a flight early; a classic table keeps its bytes.
            if (precisionShot && !tableRows.empty() && tableRows.size() < rowsAsked)
                TableText::appendShortEnd(txtOutBuffer, tableRows.back()[TableColumns::Range],
                                          float(model.values.in1.imaxyds), model.form.isMetric());
        }
        for (const TableRow& row : tableRows) {
            rangeArray.push_back(row[TableColumns::Range]);
            dropArray.push_back(graphValue(row, model.form.yAxis));
        }
        return true;
    });
    if (!ok) {
        txtOutBuffer.clear();
        tableRows.clear();
        dropArray.clear();
        rangeArray.clear();
    }
    return ok;
}

bool CTextOutput::computeRows(const CInput& load, const CInput& conditions, bool textTable,
                              float angle, LoadModel& model, const PrecisionForm* own) {
    tableRows.clear();
    rowsAsked = 0;
    lastProblem.clear();
    precisionShot.reset();
    // The table library's buffers are free again however the computation ends.
    struct Release {
        SolverFlight& flight;
        ~Release() { flight.release(); }
    } release{flight};
    TableRows::Request q;
    q.load = &load;
    q.conditions = &conditions;
    if (!getNumSteps(q.increment, q.count, textTable, model)) return false;
    rowsAsked = size_t(std::max<int16_t>(q.count, 0));
    q.angle = angle;
    q.advanced = isAdvanced;
    q.cosineDrop = improvedAngle;
    // The target speed is one of the extra inputs: it counts only while they show.
    q.settings = {moa, model.form.isMetric(), model.values.scopeMag,
                  isAdvanced ? model.values.speed : 0.0f, load.ibweight};
    const PrecisionForm& precision = own ? *own : model.form.precision;
    if (precision.on) return computePrecision(q, precision, angle, model, own == nullptr);
    const bool ok =
        TableRows::compute(q, model.values.metro, model.values.drag, flight, tableRows, lastBc);
    if (ok) flightTimeUsed = flight.flightTime();
    return ok;
}

bool CTextOutput::computePrecision(const TableRows::Request& q, const PrecisionForm& form,
                                   float angle, LoadModel& model, bool screenLoad) {
    const DragTables::Loaded table = DragTables::load(form);
    if (!table.curve) {
        lastProblem = table.problem;
        return false;
    }
    PrecisionRows::Inputs in;
    in.load = q.load;
    in.conditions = q.conditions;
    in.precision = &form;
    in.pressure = model.values.pressure;
    in.humidity = model.values.humidity;
    in.angle = angle;
    in.metric = model.form.isMetric();
    // The load on screen flies at the velocity its field shows, fractions included (a trued
    // velocity); the load record holds it as a whole number.
    if (screenLoad)
        in.muzzleVelocity =
            MNumber::parse(model.form.fields[InputFields::MuzzleVelocity]).value_or(0.0);
    const precision::Shot shot = PrecisionRows::shot(in);
    if (!PrecisionRows::compute(q, shot, *table.curve, tableRows, lastProblem)) return false;
    precisionShot = shot;
    lastBc = q.load->bcoef;
    flightTimeUsed = tableRows.empty() ? BaseFlightTime : tableRows.back()[TableColumns::Time];
    return true;
}

void CTextOutput::printHeader(const CInput& in1, const LoadModel& model) {
    guarded("printHeader", [&] {
        const auto& fields = model.form.fields;
        TableText::HeaderSettings h;
        h.advanced = isAdvanced;
        h.metric = model.form.isMetric();
        h.milRange = model.form.isMilRange();
        h.scopeMag = model.values.scopeMag;
        h.cartridge = fields[InputFields::Cartridge];
        h.targetSpeed = isAdvanced ? fields[InputFields::TargetSpeed] : QStringLiteral("0");
        h.angle = fields[InputFields::Angle];
        if (precisionShot)
            h.extra = PrecisionRows::headerLines(*precisionShot, model.form.precision,
                                                 model.form.isMetric());
        TableText::appendHeader(txtOutBuffer, in1, h, columns(model), separator);
        return true;
    });
}

bool CTextOutput::printOneRow(int weight, float range, const SolverRow& row, float angle,
                              float height, const LoadModel& model) {
    return guarded("printOneRow", [&] {
        const TableRows::RowSettings s{moa, model.form.isMetric(), model.values.scopeMag,
                                       isAdvanced ? model.values.speed : 0.0f, weight};
        const float y = isNonZero(angle) && isAdvanced ? height : row.y;
        CBallUtil util;
        const TableRow values = TableRows::rowValues(row, range, y, s, util);
        if (util.overflowed()) return false;
        TableText::appendRow(txtOutBuffer, values, columns(model), separator);
        return true;
    });
}
