#include "load/InputUnits.h"

#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QLocale>
#include <cmath>

namespace InputUnits {

namespace {

using Units::Quantity;

// The fields in a unit of the shooter's choice: the quantity, the name the range message
// starts with, the caption without its classic unit, and whether the record rounds it.
struct UnitField {
    int index;
    Quantity quantity;
    const char* messageName;
    const char* caption;
    bool whole;
};

constexpr UnitField unitFields[] = {
    {InputFields::MaxRange, Quantity::Range, "Max range", "Max Range", true},
    {InputFields::ZeroRange, Quantity::Range, "", "Zero Range", true},
    {InputFields::Increments, Quantity::Range, "", "Increments", true},
    {InputFields::BulletWeight, Quantity::Weight, "Bullet weight", "Bullet Weight", true},
    {InputFields::MuzzleVelocity, Quantity::Velocity, "Velocity", "Muzzle Velocity", true},
    {InputFields::XwindSpeed, Quantity::WindSpeed, "Crosswind speed", "Xwind Speed", true},
    {InputFields::Altitude, Quantity::Altitude, "Altitude", "Altitude", false},
    {InputFields::Temperature, Quantity::Temperature, "Temperature", "Temp", false},
    {InputFields::LowerVel, Quantity::Velocity, "", "Lower vel", false},
    {InputFields::LowestVel, Quantity::Velocity, "", "Lowest Vel", false},
    {InputFields::SightHeight, Quantity::SightHeight, "Sight height", "Sight Height", false},
    {InputFields::Pressure, Quantity::Pressure, "Pressure", "Pressure", false},
    {InputFields::TargetSpeed, Quantity::WindSpeed, "Speed", "Target Speed", false},
};

const UnitField* unitField(int index) {
    for (const UnitField& f : unitFields)
        if (f.index == index) return &f;
    return nullptr;
}

// Ranges are kept in the load's own unit and shown in the shooter's, to a tenth.
constexpr int RangeDecimals = 1;

double shownValue(const FieldUnits& u, Quantity q, double stored) {
    if (q == Quantity::Range) return stored * u.units.rangeScale(u.loadMetric);
    return u.units.shown(q, stored);
}

double storedValue(const FieldUnits& u, Quantity q, double shown) {
    if (q == Quantity::Range) return shown / u.units.rangeScale(u.loadMetric);
    return u.units.stored(q, shown);
}

int decimalsOf(const FieldUnits& u, Quantity q) {
    return q == Quantity::Range ? RangeDecimals : u.units.info(q).decimals;
}

QString symbolOf(const FieldUnits& u, Quantity q) {
    if (q == Quantity::Range)
        return u.units.rangeInMetres(u.loadMetric) ? QStringLiteral("m") : QStringLiteral("yd");
    return UnitText::symbol(u.units, q);
}

QString boundText(const FieldUnits& u, Quantity q, float stored, bool lower) {
    return UnitText::boundText(shownValue(u, q, double(stored)), decimalsOf(u, q), lower);
}

} // namespace

Units::Quantity quantity(int index) {
    const UnitField* f = unitField(index);
    return f ? f->quantity : Quantity::Count;
}

bool converted(const FieldUnits& u, int index) {
    const Quantity q = quantity(index);
    if (q == Quantity::Range) return u.units.rangeScale(u.loadMetric) != 1.0;
    return q != Quantity::Count && !u.units.isStored(q);
}

bool wholeInRecord(int index) {
    const UnitField* f = unitField(index);
    return f && f->whole;
}

QString shownText(const FieldUnits& u, int index, const QString& stored) {
    if (!converted(u, index)) return stored;
    const auto value = MNumber::parse(stored);
    if (!value) return stored;
    const Quantity q = quantity(index);
    QString text = UnitText::decimalText(shownValue(u, q, *value), decimalsOf(u, q));
    return text.replace('.', QLocale().decimalPoint());
}

QString storedText(const FieldUnits& u, int index, const QString& shown) {
    if (!converted(u, index)) return shown;
    const auto value = MNumber::parse(shown);
    if (!value) return shown;
    const double stored = storedValue(u, quantity(index), *value);
    if (!std::isfinite(stored)) return shown;
    return MNumber::fieldText(float(stored), false);
}

QString settledText(const FieldUnits& u, int index, const QString& stored) {
    if (!converted(u, index) || !wholeInRecord(index)) return stored;
    const auto value = MNumber::parse(stored);
    if (!value || !std::isfinite(*value)) return stored;
    return QString::number(MNumber::roundHalfEven(*value), 'f', 0);
}

QString caption(const FieldUnits& u, int index) {
    // Units other than the classic ones name their unit in every caption that has one.
    if (!converted(u, index) && (u.units.isImperial() || quantity(index) == Quantity::Count))
        return QString::fromUtf8(InputFields::field(index).caption);
    return QString::fromLatin1(unitField(index)->caption) + QStringLiteral(" (") +
           symbolOf(u, quantity(index)) + ')';
}

QString limitMessage(const FieldUnits& u, int index, const InputFields::Limit& limit) {
    const UnitField* f = unitField(index);
    if (!converted(u, index) || !*f->messageName) return QString::fromUtf8(limit.message);
    const Quantity q = f->quantity;
    QString text = QString::fromLatin1(f->messageName) + QStringLiteral(" must be between ") +
                   boundText(u, q, limit.lower, true) + QStringLiteral(" and ") +
                   boundText(u, q, limit.upper, false) + ' ' + symbolOf(u, q);
    // The precision model's wider limits say so, as their classic messages do.
    if (QString::fromUtf8(limit.message).contains(QLatin1String("precision model")))
        text += QStringLiteral(" with the precision model");
    return text + '.';
}

} // namespace InputUnits
