#include "sim/SimSpeeds.h"

#include "services/MNumber.h"

#include <cmath>

namespace SimSpeeds {

namespace {
using Units::Quantity;
} // namespace

bool classic(const Units::ShownUnits& units) {
    return units.isStored(Quantity::WindSpeed);
}

namespace {
// A box's text converted from one unit to the other; in mph, or when it is no number, as it is.
template <class Convert>
QString converted(const Units::ShownUnits& units, const QString& text, Convert convert) {
    if (classic(units)) return text;
    const auto value = MNumber::parse(text);
    if (!value || !std::isfinite(*value)) return text;
    return convert(*value);
}
} // namespace

QString caption(const Units::ShownUnits& units, Box box) {
    return UnitText::caption(box == Box::Wind ? QStringLiteral("Crosswind")
                                              : QStringLiteral("Target Speed"),
                             units, Quantity::WindSpeed);
}

QString shownText(const Units::ShownUnits& units, const QString& stored) {
    return converted(units, stored, [&units](double mph) {
        return UnitText::number(units, Quantity::WindSpeed, mph, true);
    });
}

QString storedText(const Units::ShownUnits& units, const QString& shown) {
    return converted(units, shown, [&units](double value) {
        return QString::number(units.stored(Quantity::WindSpeed, value), 'g', 17);
    });
}

QString typedText(const Units::ShownUnits& units, const QString& stored) {
    // Fifteen digits drop the last bits the two conversions leave: 64.3 km/h stays 64.3.
    return converted(units, stored, [&units](double mph) {
        return QString::number(units.shown(Quantity::WindSpeed, mph), 'g', 15);
    });
}

bool showsWholeMph(const Units::ShownUnits& units, const QString& stored, float lowerMph,
                   float upperMph) {
    const auto mph = MNumber::parse(stored);
    if (classic(units) || !mph || !std::isfinite(*mph)) return false;
    const double whole = MNumber::roundHalfEven(*mph);
    if (whole < lowerMph || whole > upperMph) return false;
    // The slider's value itself, which the box shows untouched.
    if (*mph == whole) return true;
    const auto shownWhole = MNumber::parse(UnitText::number(units, Quantity::WindSpeed, whole));
    // In single precision, as the range check compares: the two conversions leave no trace.
    return shownWhole && float(units.shown(Quantity::WindSpeed, *mph)) == float(*shownWhole);
}

UnitText::ShownLimit windLimit(const Units::ShownUnits& units, float lowerMph, float upperMph,
                               const QString& classicMessage) {
    if (classic(units)) return {lowerMph, upperMph, classicMessage};
    const InputLimit mph{lowerMph, upperMph, ""};
    return UnitText::limit(units, Quantity::WindSpeed, mph, QStringLiteral("Crosswind speed"),
                           units.info(Quantity::WindSpeed).decimals);
}

} // namespace SimSpeeds
