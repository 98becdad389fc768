// The table writer: the entry points through which the table, the graph and the exports are
// computed from a snapshot of the load. The work itself is done by units of its own: the record
// for a load (LoadRecord), the trajectory covering the last range (SolverFlight), the rows as
// data (TableRows, PrecisionRows) and their text (TableText). Each call returns what it found;
// nothing is reported from here.
#pragma once

#include "load/CInput.h"
#include "load/LoadSnapshot.h"
#include "load/TableColumns.h"
#include "load/TableRows.h"
#include "precision/Shot.h"
#include "services/Problem.h"
#include "services/SolverFlight.h"

#include <QList>
#include <QString>
#include <optional>
#include <vector>

// What one computation of rows gave.
struct TableResult {
    std::vector<TableRow> rows;
    std::vector<TableColumns::Format> columns;       // the table's columns for these options
    QString text;                                    // the table text, CR LF lines (table() only)
    float handedBc = 0;                              // the coefficient handed to the solver
    float flightTime = SolverFlight::BaseFlightTime; // the flight time integrated over
    std::optional<precision::Shot> shot;             // the precision model's, when it flew
    bool computed = false;                           // rows were computed
    bool cutShort = false; // the rows stop short of the range asked for: the bullet no longer
                           // advanced (only the precision model ends a flight early)
    QString reason;        // why nothing: the precision model could not fly the load
    std::optional<Problem> problem; // why nothing: a failure, for the entry point to report
    QList<Problem> solverFailures;  // the solver binding's, which arose ahead of `problem`

    bool ok() const { return computed && reason.isEmpty() && !problem; }
    // Every failure in the order it arose: the solver binding's, then `problem`.
    QList<Problem> problems() const;
};

// The range steps of a table or a graph.
struct TableSteps {
    float increment = 0; // range unit
    int16_t count = 0;   // rows from range 0
};

class CTextOutput {
public:
    SolverFlight flight{true}; // the table library
    CSmallBall& sbDll = flight.library();

    static constexpr float BaseFlightTime = SolverFlight::BaseFlightTime;
    static constexpr float LongestFlightTime = SolverFlight::LongestFlightTime;

    CTextOutput() = default;
    CTextOutput(const CTextOutput&) = delete;
    CTextOutput& operator=(const CTextOutput&) = delete;

    // The rows of `load` flown in `conditions` at the table's range steps, with the options of
    // the snapshot. The load's model decides how: the precision model when its part (`own`, or
    // the form's for the load on screen) is on.
    TableResult rows(const LoadSnapshot& snapshot, const CInput& load, const CInput& conditions,
                     const PrecisionForm* own = nullptr);
    // The rows and the whole table text of the load on screen.
    TableResult table(const LoadSnapshot& snapshot);
    // The graph's points for `load` in the conditions on screen: four per table row.
    TableResult graph(const LoadSnapshot& snapshot, const CInput& load,
                      const PrecisionForm* own = nullptr);

    // Range increment and row count for the load on screen (graph: four points per table row);
    // none, and `problem` saying why, when the range values give no row.
    static std::optional<TableSteps> steps(const LoadSnapshot& snapshot, bool table,
                                           Problem& problem);
    // The table's options and columns for the snapshot's options.
    static TableColumns::Options tableOptions(const LoadSnapshot& snapshot);
    static std::vector<TableColumns::Format> columns(const LoadSnapshot& snapshot);

private:
    TableResult compute(const LoadSnapshot& snapshot, const CInput& load, const CInput& conditions,
                        bool table, const PrecisionForm* own);
    void computePrecision(const LoadSnapshot& snapshot, const TableRows::Request& request,
                          const PrecisionForm& form, bool screenLoad, TableResult& result);
};
