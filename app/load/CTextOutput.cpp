#include "load/CTextOutput.h"

#include "load/DragTables.h"
#include "load/FiniteRows.h"
#include "load/InputFields.h"
#include "load/PrecisionRows.h"
#include "load/TableRows.h"
#include "load/TableText.h"
#include "services/ErrorNumbers.h"

#include <cmath>
#include <new>

namespace {

const QString ClassName = QStringLiteral("CTextOutput");

// Runs an operation's body; a failure becomes the problem of the operation, named as the
// message the user sees names it.
template <class Body> std::optional<Problem> guarded(const char* operation, Body&& body) {
    const QString name = QString::fromLatin1(operation);
    try {
        body();
        return std::nullopt;
    } catch (const ErrorNumbers::Failure& f) {
        return Problem::failure(ClassName, name, f.number, QString::fromLocal8Bit(f.what()));
    } catch (const std::bad_alloc&) {
        return Problem::failure(ClassName, name, ErrorNumbers::OutOfMemory,
                                QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return Problem::failure(ClassName, name, ErrorNumbers::InvalidCall,
                                QString::fromLocal8Bit(e.what()));
    }
}

// A result that gave nothing keeps only why.
void clearValues(TableResult& r) {
    r.rows.clear();
    r.text.clear();
}

} // namespace

TableColumns::Options CTextOutput::tableOptions(const LoadSnapshot& s) {
    return {s.values.isMoa, s.form.isMetric(), s.form.isMilRange(), s.form.isPrecision(), s.units};
}

std::vector<TableColumns::Format> CTextOutput::columns(const LoadSnapshot& s) {
    return TableColumns::columns(tableOptions(s));
}

std::optional<TableSteps> CTextOutput::steps(const LoadSnapshot& s, bool table, Problem& problem) {
    TableSteps steps;
    bool ok = false;
    const auto failure = guarded("getNumSteps", [&] {
        const CInput& in1 = s.values.in1;
        steps.increment = table ? float(in1.iydsinc) : float(in1.iydsinc) / 4.0f;
        const float count = float(in1.imaxyds) / steps.increment;
        steps.count = SolverFlight::checkedInt16(std::floor(double(count) + 0.9999) + 1.0);
        if (steps.count < 1) {
            problem = Problem::message(QStringLiteral("Range Values wrong"),
                                       QStringLiteral("Sanity Check"));
            return;
        }
        ok = true;
    });
    if (failure) problem = *failure;
    if (!ok) return std::nullopt;
    return steps;
}

QList<Problem> TableResult::problems() const {
    QList<Problem> all = solverFailures;
    if (problem) all.append(*problem);
    return all;
}

TableResult CTextOutput::rows(const LoadSnapshot& s, const CInput& load, const CInput& conditions,
                              const PrecisionForm* own) {
    TableResult result = compute(s, load, conditions, true, own);
    result.solverFailures = flight.takeFailures();
    return result;
}

TableResult CTextOutput::compute(const LoadSnapshot& s, const CInput& load,
                                 const CInput& conditions, bool table, const PrecisionForm* own) {
    TableResult result;
    result.columns = columns(s);
    // The table library's buffers are free again however the computation ends.
    struct Release {
        SolverFlight& flight;
        ~Release() { flight.release(); }
    } release{flight};
    Problem stepProblem;
    const auto steps = CTextOutput::steps(s, table, stepProblem);
    if (!steps) {
        result.problem = stepProblem;
        return result;
    }
    const bool advanced = s.form.isAdvanced();
    TableRows::Request q;
    q.load = &load;
    q.conditions = &conditions;
    q.increment = steps->increment;
    q.count = steps->count;
    q.angle = s.angleDeg;
    q.advanced = advanced;
    q.cosineDrop = s.values.isCosineDrop;
    // The target speed is one of the extra inputs: it counts only while they show.
    q.settings = {s.values.isMoa, s.form.isMetric(), s.values.scopeMag,
                  advanced ? s.values.speed : 0.0f, load.ibweight};
    const PrecisionForm& precision = own ? *own : s.form.precision;
    if (precision.on) {
        computePrecision(s, q, precision, own == nullptr, result);
        // Only the precision model ends a flight early; a classic table keeps its bytes.
        result.cutShort = result.computed && !result.rows.empty() &&
                          result.rows.size() < size_t(std::max<int16_t>(steps->count, 0));
    } else {
        TableRows::Computed computed = TableRows::compute(q, s.values.metro, s.values.drag, flight);
        result.rows = std::move(computed.rows);
        result.handedBc = computed.handedBc;
        result.problem = std::move(computed.problem);
        result.computed = computed.ok;
        if (computed.ok) result.flightTime = flight.flightTime();
    }
    // One message naming the input, never a table of "Inf" and "NaN".
    if (result.computed) {
        const QString notFinite = FiniteRows::problem(result.rows, precision.on, s.form.isMetric());
        if (!notFinite.isEmpty()) {
            result.rows.clear();
            result.shot.reset();
            result.cutShort = false;
            result.reason = notFinite;
        }
    }
    return result;
}

void CTextOutput::computePrecision(const LoadSnapshot& s, const TableRows::Request& q,
                                   const PrecisionForm& form, bool screenLoad,
                                   TableResult& result) {
    const DragTables::Loaded table = DragTables::load(form);
    if (!table.curve) {
        result.reason = table.problem;
        return;
    }
    // The load on screen flies at the velocity its field shows.
    const precision::Shot shot = PrecisionRows::shot(
        s.precisionInputs(*q.load, *q.conditions, form, screenLoad ? s.muzzleVelocityFps : 0.0));
    if (!PrecisionRows::compute(q, shot, *table.curve, result.rows, result.reason, result.problem))
        return;
    result.computed = true;
    result.shot = shot;
    result.handedBc = q.load->bcoef;
    if (!result.rows.empty()) result.flightTime = result.rows.back()[TableColumns::Time];
}

TableResult CTextOutput::table(const LoadSnapshot& s) {
    TableResult result;
    const auto failure = guarded("printTextTable", [&] {
        result = compute(s, s.values.in1, s.values.in1, true, nullptr);
        if (!result.ok()) return;
        const QString separator = s.values.isComma ? QStringLiteral(",") : QStringLiteral(" ");
        const bool advanced = s.form.isAdvanced();
        const auto& fields = s.form.fields;
        TableText::HeaderSettings h;
        h.advanced = advanced;
        h.metric = s.form.isMetric();
        h.milRange = s.form.isMilRange();
        h.scopeMag = s.values.scopeMag;
        h.units = s.units;
        h.cartridge = fields[InputFields::Cartridge];
        h.targetSpeed = advanced ? fields[InputFields::TargetSpeed] : QStringLiteral("0");
        h.angle = fields[InputFields::Angle];
        h.bands = TableText::bandLines(s.values.in1, result.rows, s.units);
        if (result.shot) {
            h.extra = PrecisionRows::headerLines(*result.shot, s.form.precision, s.form.isMetric(),
                                                 s.units);
            h.windByZone = !result.shot->windZones.empty();
        }
        // The rows in the shooter's units; result.rows stay in the files' units.
        const std::vector<TableRow> shown = TableColumns::shownRows(result.rows, tableOptions(s));
        const std::vector<MPrint::Columns> cells = TableText::rowCells(shown, result.columns);
        const std::vector<int> widths = TableText::columnWidths(cells, result.columns);
        TableText::appendHeader(result.text, s.values.in1, h, result.columns, separator, widths);
        for (size_t i = 0; i < shown.size(); ++i)
            TableText::appendRow(result.text, cells[i], shown[i][TableColumns::SoundBarrier],
                                 separator, widths);
        if (result.cutShort) {
            const double scale = s.units.rangeScale(s.form.isMetric());
            TableText::appendShortEnd(result.text, shown.back()[TableColumns::Range],
                                      float(s.values.in1.imaxyds * scale),
                                      s.units.rangeInMetres(s.form.isMetric()));
        }
    });
    if (failure) {
        result.problem = failure;
        result.computed = false;
    }
    result.solverFailures = flight.takeFailures();
    if (!result.ok()) clearValues(result);
    return result;
}

TableResult CTextOutput::graph(const LoadSnapshot& s, const CInput& load,
                               const PrecisionForm* own) {
    TableResult result;
    const auto failure =
        guarded("printTextTable", [&] { result = compute(s, load, s.values.in1, false, own); });
    if (failure) {
        result.problem = failure;
        result.computed = false;
    }
    result.solverFailures = flight.takeFailures();
    if (!result.ok()) clearValues(result);
    return result;
}
