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

// A value that reads as a number but leaves no trajectory to compute.
bool uncomputable(int index, double value) {
    switch (index) {
    case MuzzleVelocity:
        return value < 300.0;
    case Bc:
        return value <= 0.0;
    case MaxRange:
        return value <= 0.0 || value * StepsPerRangeUnit > MaxSteps;
    case Increments:
        return value <= 0.0;
    default:
        return false;
    }
}

QString boundText(float value) {
    return MNumber::shortText(value, true);
}

} // namespace

QString fieldMessage(int index) {
    const Field& f = field(index);
    const QString caption = QString::fromUtf8(f.caption);
    QString message = QString::fromUtf8(f.message);
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
        if (!value || uncomputable(index, *value)) return {index, fieldMessage(index)};
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
        const auto single = value ? MNumber::toSingle(*value) : std::nullopt;
        const float upper = f.upperIsMaxRange && maxRange ? *maxRange : f.upper;
        if (!single || *single < f.lower || *single > upper) names << QString::fromUtf8(f.caption);
    }
    return names;
}

} // namespace LoadCheck
