#include "load/TruingUnits.h"

#include "load/Truing.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <cmath>

namespace TruingUnits {

namespace {
using Units::Quantity;

double scaleOf(const InputUnits::FieldUnits& u) {
    return u.units.rangeScale(u.loadMetric);
}
} // namespace

QString rangeCaption(const InputUnits::FieldUnits& u) {
    return u.units.rangeInMetres(u.loadMetric) ? QStringLiteral("Range (m)")
                                               : QStringLiteral("Range (yards)");
}

QString heightUnitName(const InputUnits::FieldUnits& u) {
    return u.units.isStored(Quantity::Length) ? QStringLiteral("inches")
                                              : UnitText::symbol(u.units, Quantity::Length);
}

double shortestRange(const InputUnits::FieldUnits& u) {
    const double tenths = Truing::ShortestRange * scaleOf(u) * 10;
    return std::ceil(tenths - tenths * 1e-6) / 10;
}

double longestRange(const InputUnits::FieldUnits& u) {
    const double tenths = Truing::LongestRange * scaleOf(u) * 10;
    return std::floor(tenths + tenths * 1e-6) / 10;
}

double loadRange(const InputUnits::FieldUnits& u, double shown) {
    return shown / scaleOf(u);
}

double observedInches(const InputUnits::FieldUnits& u, double height, bool correction,
                      float loadRange, bool moa) {
    if (!correction) return u.units.stored(Quantity::Length, height);
    // The click column counts the scope's clicks; the truing reads quarter-MOA ones.
    const double quarterMoaClicks = moa ? height * 4.0 / u.units.clicksForMoa(1.0) : height;
    return Truing::inchesFromCorrection(quarterMoaClicks, loadRange, moa, u.loadMetric);
}

QString velocityText(const InputUnits::FieldUnits& u, double fps) {
    if (u.units.isStored(Quantity::Velocity)) return MNumber::shortText(float(fps));
    return MNumber::shortText(
        MNumber::roundDecimals(float(u.units.shown(Quantity::Velocity, fps)), 1));
}

QString velocityCaption(const InputUnits::FieldUnits& u, const QString& name) {
    return name + QStringLiteral(" (") +
           (u.units.isStored(Quantity::Velocity) ? QStringLiteral("ft/sec")
                                                 : UnitText::symbol(u.units, Quantity::Velocity)) +
           ')';
}

} // namespace TruingUnits
