// One trajectory in a solver library, integrated so that a given range is covered: a slow or
// draggy load may not reach the last range within the usual two seconds of flight, and is then
// flown longer with the same number of steps rather than extrapolated. The table, the graph, the
// point-blank search, the chronograph and the simulator all integrate through this.
#pragma once

#include "services/CSmallBall.h"

class SolverFlight {
public:
    static constexpr float BaseFlightTime = 2.0f;
    static constexpr float LongestFlightTime = 8.0f;

    // tableLibrary: "trajcore" (tables, graphs, point-blank search); else "quorvelsim".
    explicit SolverFlight(bool tableLibrary) { binding.isTable = tableLibrary; }

    // Allocates and integrates `record` (stepRate x flightTime steps), doubling its flight time
    // with the same step count while `lastRange` lies beyond it, up to LongestFlightTime. The
    // record keeps the flight time and step rate used. False when nothing was integrated
    // (takeFailures() says why); a step count that does not fit throws ErrorNumbers::Failure.
    bool integrateCovering(SolverRecord& record, float lastRange);

    // The row at `range`, the search going on from `start` (see CSmallBall::getOneResult).
    int16_t row(SolverRow& out, float range, int16_t start) {
        return binding.getOneResult(out, range, start);
    }
    void release() { binding.deAllocMem(); }
    // The flight time the last integrateCovering flew.
    float flightTime() const { return flown; }
    bool isComputed() const { return binding.isAllocated(); }
    CSmallBall& library() { return binding; }
    // What went wrong so far, the binding's failures among them, in the order it arose; handed
    // over once, for the entry point to report.
    QList<Problem> takeFailures();

    // The step count for a record, as a 16-bit integer; throws ErrorNumbers::Failure when it
    // does not fit.
    static int16_t checkedInt16(double value);

private:
    bool rangeBeyondFlight(const SolverRecord& record, float range);
    // The base flight time doubled as often as a coarse integration shows the last range to lie
    // clearly beyond it, so a long table is not integrated once in vain.
    float lookAheadFlightTime(const SolverRecord& record, int16_t count, float lastRange);

    CSmallBall binding;
    QList<Problem> failures;
    float flown = BaseFlightTime;
};
