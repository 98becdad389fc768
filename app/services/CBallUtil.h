// Sight corrections: inches at a range as MOA clicks or mils, and the travel of a moving target.
#pragma once

#include "services/Problem.h"

#include <optional>

class CBallUtil {
public:
    // What a correction that overflows gives. Report: the correction shown as 0 and problem() set
    // for the entry point to report. Keep: the value stays non-finite for the caller to name its
    // cause (problem() is set as well).
    enum class Overflow { Report, Keep };
    explicit CBallUtil(Overflow onOverflow = Overflow::Report) : onOverflow(onOverflow) {}

    // Quarter-MOA clicks (moa) or mils for `inches` at `yardsMeter`, rounded half-even to 1
    // decimal; metres are converted to yards first when isMetric.
    float angleRound(float inches, float yardsMeter, bool moa, bool isMetric) const;
    // The same correction before its rounding (what angleRound rounds).
    float correction(float inches, float yardsMeter, bool moa, bool isMetric) const;
    // Travel of a target moving at mph along `radians` during `seconds`.
    void componentsOfMotion(float radians, float seconds, float mph, float& xInch,
                            float& yInch) const;
    float inch2moa(float inches, float yards, bool moa) const;

    // True once a correction overflowed (it is shown as 0); a caller that computes a row of
    // corrections stops there, and its entry point reports problem() once.
    bool overflowed() const { return overflow.has_value(); }
    // The first overflow, as the message that reports it.
    const std::optional<Problem>& problem() const { return overflow; }
    void clearOverflow() { overflow.reset(); }

private:
    float checked(float value, const char* operation) const;

    Overflow onOverflow;
    mutable std::optional<Problem> overflow;
};
