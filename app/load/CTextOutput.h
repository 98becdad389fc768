// The table writer: one trajectory through the solver, read at fixed range steps, written as the
// ballistics table text (or as the graph's points).
#pragma once

#include "load/CInput.h"
#include "load/LoadModel.h"
#include "services/CBallUtil.h"
#include "services/CSmallBall.h"

#include <QString>
#include <vector>

class CTextOutput {
public:
    bool isAdvanced = false;
    CSmallBall sbDll;

    // Flight time of every table integration, unless the last row lies beyond it; then the
    // flight is doubled (same step count) up to LongestFlightTime.
    static constexpr float BaseFlightTime = 2.0f;
    static constexpr float LongestFlightTime = 8.0f;

    // Sets sbDll to the table library and stores the options of this refresh.
    void init(bool improvedAngle, bool moaClicks, bool advanced, bool pointBlank, float kZone,
              float gSize);

    // Computes the trajectory of `load` under the conditions of model.values.in1 and writes the
    // table text (textTable) into the buffer; both cases fill the two arrays. False (text and
    // arrays empty) when nothing could be computed; the reason has been reported.
    bool printTextTable(const CInput& load, bool textTable, std::vector<float>& dropArray,
                        std::vector<float>& rangeArray, float angle, LoadModel& model);

    // Range increment and row count for the main load (graph: four points per table row).
    bool getNumSteps(float& increment, int16_t& rows, bool isTable, const LoadModel& model);

    // Builds the solver record for `load`; conditions come from model.values.in1. Stores the
    // coefficient handed to the solver in model.values.metroBc. False (record untouched) when
    // the load does not fit a record.
    bool inDllStructSetup(const CInput& load, SolverRecord& record, LoadModel& model);

    void printHeader(const CInput& in1, const LoadModel& model);
    // False when the row could not be written (reported once); the table stops there.
    bool printOneRow(int weight, float range, const SolverRow& row, float angle, float height,
                     const LoadModel& model);

    // The text built by the last printTextTable (CR LF lines).
    const QString& text() const { return txtOutBuffer; }
    // The flight time the last printTextTable integrated over.
    float lastFlightTime() const { return flightTimeUsed; }
    // Allocates and integrates `record` through sbDll, lengthening its flight while the row at
    // lastRange lies beyond it. Leaves the chosen trajectory computed (the simulator's
    // trajectory uses it too, with sbDll bound to its own library).
    bool integrateCoveringRange(SolverRecord& record, float lastRange);

private:
    bool rangeBeyondFlight(const SolverRecord& record, float range);
    // The base flight time doubled as often as a coarse integration shows the last range to
    // lie clearly beyond it, so a long table is not integrated once in vain.
    float lookAheadFlightTime(const SolverRecord& record, int16_t count, float lastRange);

    bool improvedAngle = false;
    bool moa = false;
    bool pointBlank = false;
    float kZone = 0;
    float gSize = 0;
    QString separator = QStringLiteral(" ");
    CBallUtil util;
    QString txtOutBuffer;
    float flightTimeUsed = BaseFlightTime;
};
