#include "load/HitUnits.h"

#include "load/HitFields.h"
#include "services/MNumber.h"

#include <QLocale>

namespace HitUnits {

namespace {

using Units::Quantity;

// What each box measures, in HitFields order (Count: a unit no choice changes: MOA, %), and
// what its classic message says after the bounds.
struct BoxUnit {
    Quantity quantity;
    const char* note;
};
constexpr BoxUnit boxUnits[HitFields::Count] = {
    {Quantity::Length, ""},
    {Quantity::Length, ""},
    {Quantity::Length, " (0: the rectangle counts)"},
    {Quantity::Count, ""},
    {Quantity::Velocity, ""},
    {Quantity::Count, ""},
    {Quantity::Range, " (0 with a laser rangefinder)"},
    {Quantity::WindSpeed, ""},
};
constexpr int CircleBox = 2;

// Spreads and sizes are small numbers: two decimals in any unit.
constexpr int BoxDecimals = 2;

Quantity quantityOf(int index) {
    return boxUnits[size_t(index)].quantity;
}

double rangeScale(const InputUnits::FieldUnits& u) {
    return u.units.rangeScale(u.loadMetric);
}

// Sizes and spreads: no offset, so a scale of shown units per stored unit.
double scaleOf(const InputUnits::FieldUnits& u, int index) {
    const Quantity q = quantityOf(index);
    if (q == Quantity::Range) return rangeScale(u);
    return u.units.info(q).scale;
}

QString symbolOf(const InputUnits::FieldUnits& u, int index) {
    const Quantity q = quantityOf(index);
    return q == Quantity::Range ? rangeSymbol(u) : UnitText::symbol(u.units, q);
}

} // namespace

bool converted(const InputUnits::FieldUnits& u, int index) {
    const Quantity q = quantityOf(index);
    if (q == Quantity::Range) return rangeScale(u) != 1.0;
    return q != Quantity::Count && !u.units.isStored(q);
}

QString shownText(const InputUnits::FieldUnits& u, int index, double stored) {
    if (!HitUnits::converted(u, index))
        return QString::number(stored, 'g', QLocale::FloatingPointShortest);
    return UnitText::decimalText(stored * scaleOf(u, index), BoxDecimals);
}

double storedValue(const InputUnits::FieldUnits& u, int index, double shown) {
    if (!HitUnits::converted(u, index)) return shown;
    return shown / scaleOf(u, index);
}

QString caption(const InputUnits::FieldUnits& u, int index) {
    if (!HitUnits::converted(u, index))
        return HitFields::caption(index, u.units.rangeInMetres(u.loadMetric));
    QString unit = symbolOf(u, index);
    if (index == CircleBox) unit += QStringLiteral(", 0: rectangle");
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(HitFields::field(index).caption), unit);
}

UnitText::ShownLimit limit(const InputUnits::FieldUnits& u, int index) {
    const InputLimit& stored = HitFields::field(index).limit;
    if (!HitUnits::converted(u, index))
        return {stored.lower, stored.upper, QString::fromLatin1(stored.message)};
    const double scale = scaleOf(u, index);
    const QString lower = UnitText::boundText(double(stored.lower) * scale, BoxDecimals, true);
    const QString upper = UnitText::boundText(double(stored.upper) * scale, BoxDecimals, false);
    return {lower.toFloat(), upper.toFloat(),
            QStringLiteral("%1 must be between %2 and %3 %4%5.")
                .arg(QString::fromUtf8(HitFields::field(index).caption), lower, upper,
                     symbolOf(u, index), QString::fromLatin1(boxUnits[size_t(index)].note))};
}

double shownRange(const InputUnits::FieldUnits& u, double loadRange) {
    return loadRange * rangeScale(u);
}

QString rangeSymbol(const InputUnits::FieldUnits& u) {
    return u.units.rangeInMetres(u.loadMetric) ? QStringLiteral("m") : QStringLiteral("yd");
}

QString sigmaHeading(const InputUnits::FieldUnits& u, bool vertical) {
    return (vertical ? QStringLiteral("Vert. \u03C3 ") : QStringLiteral("Horiz. \u03C3 ")) +
           UnitText::symbol(u.units, Quantity::Length);
}

QString sigmaText(const InputUnits::FieldUnits& u, double inches) {
    return QString::number(u.units.shown(Quantity::Length, inches), 'f',
                           u.units.info(Quantity::Length).decimals);
}

} // namespace HitUnits
