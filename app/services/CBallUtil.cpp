#include "services/CBallUtil.h"

#include "services/ErrorNumbers.h"
#include "services/MNumber.h"
#include "units/Units.h"

#include <cmath>

// A correction that cannot be represented (a range of a few millionths of a yard) is an
// overflow: kept for the caller to report, and the correction shown as 0.
float CBallUtil::checked(float value, const char* operation) const {
    if (std::isfinite(value)) return value;
    if (onOverflow == Overflow::Keep) {
        if (!overflow)
            overflow = Problem::failure(QStringLiteral("CBallUtil"), QString::fromLatin1(operation),
                                        ErrorNumbers::Overflow, QStringLiteral("Overflow"));
        return value;
    }
    if (!overflow)
        overflow = Problem::failure(QStringLiteral("CBallUtil"), QString::fromLatin1(operation),
                                    ErrorNumbers::Overflow, QStringLiteral("Overflow"));
    return 0.0f;
}

float CBallUtil::angleRound(float inches, float yardsMeter, bool moa, bool isMetric) const {
    return checked(MNumber::roundDecimals(correction(inches, yardsMeter, moa, isMetric), 1),
                   "angleRound");
}

float CBallUtil::correction(float inches, float yardsMeter, bool moa, bool isMetric) const {
    if (yardsMeter < 0.00001f) return 0.0f;
    const float yards =
        isMetric ? static_cast<float>(static_cast<double>(yardsMeter) * Units::YardsPerMetre)
                 : yardsMeter;
    const float angle = inch2moa(inches, yards, moa);
    // Quarter-MOA clicks for MOA, plain mils otherwise.
    return moa ? angle * Units::ClicksPerMoa : angle;
}

void CBallUtil::componentsOfMotion(float radians, float seconds, float mph, float& xInch,
                                   float& yInch) const {
    const float distance = mph * Units::LeadInchesPerMphSecond * seconds;
    xInch = distance * std::sin(radians);
    yInch = distance * std::cos(radians);
}

float CBallUtil::inch2moa(float inches, float yards, bool moa) const {
    if (yards == 0.0f) return 0.0f;
    return checked(moa ? Units::moaForInches(inches, yards) : Units::milsForInches(inches, yards),
                   "inch2moa");
}
