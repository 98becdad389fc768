// The application's only gateway to a solver library. Which library file is called is chosen by
// isTable at the moment of each call: "trajcore.so" for tables, graphs and the point-blank
// search, "quorvelsim.so" for the simulator and the chronograph correction. Each file is loaded
// from the application folder by name on first use and stays loaded for the process.
#pragma once

#include "SolverRecord.h"
#include "services/Problem.h"

#include <QList>
#include <QString>
#include <cstdint>

struct SolverLibrary;

class CSmallBall {
public:
    CSmallBall() = default;
    ~CSmallBall();
    CSmallBall(const CSmallBall&) = delete;
    CSmallBall& operator=(const CSmallBall&) = delete;

    bool isTable = false;

    // Allocates the library's buffers for stepRate x flightTime steps (releasing earlier ones).
    bool allocMem(const SolverRecord& record);
    // Integrates the record; does nothing unless the buffers are allocated.
    void calcAll(const SolverRecord& record);
    // Fills the row for the range; -1 (row untouched) when nothing is allocated, else the index
    // the search stopped at (0 when the range lies at or beyond the last computed point).
    int16_t getOneResult(SolverRow& row, float range, int16_t startIndex);
    void deAllocMem();

    bool isAllocated() const { return allocated; }

    // The failures of the calls so far, in the order they arose, handed over once: the binding
    // reports nothing itself, its caller passes them on to the entry point.
    QList<Problem> takeFailures();

    // File names of the two libraries in the application folder.
    static QString tableLibraryName();
    static QString simLibraryName();

    // Step count for a record: stepRate x flightTime rounded half to even; false when it does
    // not fit a 16-bit integer.
    static bool stepCount(const SolverRecord& record, int16_t& count);

private:
    void fail(const char* operation, long number, const QString& text);

    QList<Problem> failures;
    bool allocated = false;
    bool allocatedTable = false;    // which library holds our buffers
    SolverLibrary* owner = nullptr; // the loaded library that holds them
};
