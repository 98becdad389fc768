#include "load/LoadCheck.h"

#include "load/InputFields.h"
#include "load/PrecisionFields.h"
#include "load/ZonesCantJump.h"
#include "services/MNumber.h"

#include <QStringList>
#include <algorithm>
#include <iterator>
#include <optional>

namespace LoadCheck {

namespace {

using namespace InputFields;

// Fields the trajectory reads whatever the check boxes say, and those read only with Advanced.
constexpr int alwaysRead[] = {BulletWeight, MuzzleVelocity, MaxRange,   ZeroRange, Increments,
                              XwindSpeed,   XwindAngle,     Bc,         LowerBc,   LowestBc,
                              LowerVel,     LowestVel,      SightHeight};
constexpr int advancedRead[] = {Altitude, Temperature, Angle, TargetSpeed};
// The precision model reads the air as well.
constexpr int precisionRead[] = {Pressure, Humidity};

// The whole-number fields of the load record.
bool isWhole(int index) {
    return index >= BulletWeight && index <= XwindAngle;
}

// The field's value as the record would hold it, or nothing when its text does not give one.
std::optional<double> usableValue(const LoadForm& form, int index) {
    const auto value = MNumber::parse(form.fields[size_t(index)]);
    if (!value) return std::nullopt;
    if (isWhole(index)) {
        const auto whole = MNumber::toInt16(*value);
        return whole ? std::optional<double>(*whole) : std::nullopt;
    }
    const auto single = MNumber::toSingle(*value);
    return single ? std::optional<double>(*single) : std::nullopt;
}

// The table integrates 16 steps per yard of maximum range, counted in 16 bits.
constexpr double StepsPerRangeUnit = 16.0;
constexpr double MaxSteps = 32767.0;

// The longest range the classic solver's step count reaches, in whole range units.
const int ClassicLongestRange = int(MaxSteps / StepsPerRangeUnit);

// A value that reads as a number but leaves no trajectory to compute: the classic solver counts
// its steps in 16 bits; the precision model reaches as far as its field allows.
bool uncomputable(int index, double value, const LoadForm& form) {
    switch (index) {
    case MuzzleVelocity:
        return value < 300.0;
    case Bc:
        return value <= 0.0;
    case MaxRange:
        if (form.isPrecision())
            return value <= 0.0 || value > limit(MaxRange, true, form.isMetric()).upper;
        return value <= 0.0 || value * StepsPerRangeUnit > MaxSteps;
    case Increments:
        return value <= 0.0;
    default:
        return false;
    }
}

// A classic maximum range beyond the solver's steps: the message names that limit, which is
// the one that applies here, rather than the field's.
bool tooLongForClassic(int index, const std::optional<double>& value, const LoadForm& form) {
    return index == MaxRange && !form.isPrecision() && value &&
           *value * StepsPerRangeUnit > MaxSteps;
}

QString classicRangeMessage(bool metric) {
    return QString::fromUtf8(field(MaxRange).caption) + QStringLiteral(": Maximum range must be ") +
           QString::number(ClassicLongestRange) +
           (metric ? QStringLiteral(" meters") : QStringLiteral(" yards")) +
           QStringLiteral(" or less.");
}

QString boundText(float value) {
    return MNumber::shortText(value, true);
}

} // namespace

QString fieldMessage(int index, const LoadForm& form) {
    const Field& f = field(index);
    const QString caption = QString::fromUtf8(f.caption);
    QString message = QString::fromUtf8(limit(index, form.isPrecision(), form.isMetric()).message);
    if (message.isEmpty())
        message = caption + QStringLiteral(" must be between ") + boundText(f.lower) +
                  QStringLiteral(" and ") + boundText(f.upper) + '.';
    return caption + QStringLiteral(": ") + message;
}

Finding computable(const LoadForm& form) {
    QList<int> read(std::begin(alwaysRead), std::end(alwaysRead));
    if (form.isAdvanced())
        read.append(QList<int>(std::begin(advancedRead), std::end(advancedRead)));
    if (form.isMilRange()) read.append(ScopeMag);
    if (form.isPrecision())
        read.append(QList<int>(std::begin(precisionRead), std::end(precisionRead)));
    std::sort(read.begin(), read.end());
    for (const int index : read) {
        const auto value = usableValue(form, index);
        if (!value || uncomputable(index, *value, form))
            return {index, tooLongForClassic(index, value, form)
                               ? classicRangeMessage(form.isMetric())
                               : fieldMessage(index, form)};
    }
    if (form.isPrecision()) return precisionComputable(form.precision);
    return {};
}

Finding precisionComputable(const PrecisionForm& precision) {
    // The model's own inputs must hold what their boxes accept: an azimuth of 7000 degrees or a
    // twist of 1 inch per turn is no load.
    for (int i = 0; i < PrecisionFields::Count; ++i) {
        const QString problem = PrecisionFields::check(i, precision.fields[size_t(i)]);
        if (!problem.isEmpty())
            return {Count + i, QString::fromUtf8(PrecisionFields::field(i).caption) +
                                   QStringLiteral(": ") + problem};
    }
    if (QString problem = ZonesCantJump::problem(precision); !problem.isEmpty())
        return {Count + PrecisionFields::Count, problem};
    return {};
}

QStringList failingFields(const LoadForm& form) {
    QStringList names;
    // Zero range and increment are bounded by the maximum range as typed, not as rounded.
    const auto maxText = MNumber::parse(form.fields[MaxRange]);
    const auto maxRange = maxText ? MNumber::toSingle(*maxText) : std::nullopt;
    for (int i = BulletWeight; i < Count; ++i) {
        const Field& f = field(i);
        const auto value = MNumber::parse(form.fields[size_t(i)]);
        const Limit bounds = limit(i, form.isPrecision(), form.isMetric());
        const float upper = f.upperIsMaxRange && maxRange ? *maxRange : bounds.upper;
        const float single = value ? MNumber::toSingle(*value).value_or(qQNaN()) : qQNaN();
        // NaN (no number) fails both comparisons.
        if (!(single >= bounds.lower && single <= upper)) names << QString::fromUtf8(f.caption);
    }
    return names;
}

} // namespace LoadCheck
