// The table writer: the entry points through which the table and the graph are computed. The
// work itself is done by units of its own: the record for a load (LoadRecord), the trajectory
// covering the last range (SolverFlight), the rows as data (TableRows) and their text
// (TableText).
#pragma once

#include "load/CInput.h"
#include "load/LoadModel.h"
#include "load/TableColumns.h"
#include "load/TableRows.h"
#include "precision/Shot.h"
#include "services/SolverFlight.h"

#include <QString>
#include <optional>
#include <vector>

class CTextOutput {
public:
    bool isAdvanced = false;
    SolverFlight flight{true}; // the table library
    CSmallBall& sbDll = flight.library();

    static constexpr float BaseFlightTime = SolverFlight::BaseFlightTime;
    static constexpr float LongestFlightTime = SolverFlight::LongestFlightTime;

    CTextOutput() = default;
    CTextOutput(const CTextOutput&) = delete;
    CTextOutput& operator=(const CTextOutput&) = delete;

    // Stores the options of this refresh.
    void init(bool improvedAngle, bool moaClicks, bool advanced, bool pointBlank, float kZone,
              float gSize);

    // Computes the rows of `load` under the conditions of model.values.in1 (the table's range
    // steps, or four points per row for the graph), and with textTable also the table text.
    // Both cases fill the two arrays (range and the graph's y-axis choice). False (text, rows
    // and arrays empty) when nothing could be computed; the reason has been reported.
    // `own` is the precision part of `load` when that is not the load on screen.
    bool printTextTable(const CInput& load, bool textTable, std::vector<float>& dropArray,
                        std::vector<float>& rangeArray, float angle, LoadModel& model,
                        const PrecisionForm* own = nullptr);

    // The rows of `load` flown in `conditions` (the table's range steps, or the graph's), with
    // the options of this refresh: rows() afterwards. The load's model decides how: the
    // precision model when its part (`own`, or the form's for the load on screen) is on. False
    // (no rows) when nothing could be computed; the reason has been reported (or is thrown as
    // ErrorNumbers::Failure), or is in problem(): the precision model could not fly the load,
    // or a value is not a finite number (FiniteRows).
    bool computeRows(const CInput& load, const CInput& conditions, bool textTable, float angle,
                     LoadModel& model, const PrecisionForm* own = nullptr);

    // Range increment and row count for the main load (graph: four points per table row).
    bool getNumSteps(float& increment, int16_t& rows, bool isTable, const LoadModel& model);

    // Builds the solver record for `load` under the conditions of model.values.in1. False
    // (record untouched) when the load does not fit a record.
    bool inDllStructSetup(const CInput& load, SolverRecord& record, LoadModel& model);

    // The header block and column headings; `widths` as TableText::columnWidths gives them.
    void printHeader(const CInput& in1, const LoadModel& model,
                     const std::vector<int>& widths = {});
    // Writes one table line for a solver row; false when it could not be written (reported
    // once), and the table stops there.
    bool printOneRow(int weight, float range, const SolverRow& row, float angle, float height,
                     const LoadModel& model);

    // The text built by the last printTextTable (CR LF lines).
    const QString& text() const { return txtOutBuffer; }
    // The rows and columns of the last printTextTable.
    const std::vector<TableRow>& rows() const { return tableRows; }
    std::vector<TableColumns::Format> columns(const LoadModel& model) const;
    // Why the last computation gave nothing, when the precision model could not fly the load
    // (empty otherwise).
    const QString& problem() const { return lastProblem; }
    // The last rows stop short of the range asked for: the bullet no longer advanced (only the
    // precision model ends a flight early).
    bool cutShort() const;
    // The last computation used the precision model, for this shot.
    bool usedPrecision() const { return precisionShot.has_value(); }
    const std::optional<precision::Shot>& lastShot() const { return precisionShot; }
    // The coefficient the last printTextTable handed to the solver.
    float handedBc() const { return lastBc; }
    // The flight time the last printTextTable integrated over.
    float lastFlightTime() const { return flightTimeUsed; }

private:
    bool improvedAngle = false;
    bool moa = false;
    bool pointBlank = false;
    float kZone = 0;
    float gSize = 0;
    QString separator = QStringLiteral(" ");
    bool computePrecision(const TableRows::Request& request, const PrecisionForm& form, float angle,
                          LoadModel& model, bool screenLoad);

    QString txtOutBuffer;
    QString lastProblem;
    std::optional<precision::Shot> precisionShot;
    std::vector<TableRow> tableRows;
    size_t rowsAsked = 0; // the rows the range and increment call for
    float lastBc = 0;
    float flightTimeUsed = BaseFlightTime;
};
