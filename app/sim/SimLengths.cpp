#include "sim/SimLengths.h"

#include "services/MNumber.h"
#include "services/UnitText.h"
#include "units/Units.h"

#include <QLocale>
#include <cmath>

namespace SimLengths {

namespace {
using Units::Quantity;
// Groups are a few centimetres: the boxes show them to a tenth of a millimetre.
constexpr int Decimals = 2;

QString trimmed(double value) {
    if (value == 0) value = 0; // no "-0"
    QString text = QString::number(value, 'f', Decimals);
    while (text.endsWith('0'))
        text.chop(1);
    if (text.endsWith('.')) text.chop(1);
    return text;
}
} // namespace

QString shownText(const Units::ShownUnits& units, const QString& stored) {
    if (units.isStored(Quantity::Length)) return stored;
    const auto value = MNumber::parse(stored);
    if (!value) return stored;
    const double scale = std::pow(10.0, Decimals);
    return trimmed(MNumber::roundHalfEven(units.shown(Quantity::Length, *value) * scale) / scale)
        .replace('.', QLocale().decimalPoint());
}

QString storedText(const Units::ShownUnits& units, const QString& shown) {
    if (units.isStored(Quantity::Length)) return shown;
    const auto value = MNumber::parse(shown);
    if (!value || !std::isfinite(*value)) return shown;
    return MNumber::fieldText(float(units.stored(Quantity::Length, *value)), false);
}

QString caption(const Units::ShownUnits& units, Box box) {
    const QString unit = UnitText::symbol(units, Quantity::Length);
    switch (box) {
    case Box::GroupSize:
        return QStringLiteral("Group Size (%1 @ 100 yd)").arg(unit);
    case Box::Width:
        return QStringLiteral("Width (%1)").arg(unit);
    case Box::Height:
        return QStringLiteral("Height (%1)").arg(unit);
    }
    return {};
}

QString message(const Units::ShownUnits& units, Box box, float lower, float upper,
                const QString& classic) {
    if (units.isStored(Quantity::Length)) return classic;
    const char* names[] = {"Group size", "Target width", "Target height"};
    const double scale = std::pow(10.0, Decimals);
    // Slack for a bound's single precision.
    const double low = units.shown(Quantity::Length, lower) * scale;
    const double high = units.shown(Quantity::Length, upper) * scale;
    return QStringLiteral("%1 must be between %2 and %3 %4.")
        .arg(QString::fromLatin1(names[int(box)]),
             trimmed(std::ceil(low - std::abs(low) * 1e-6) / scale),
             trimmed(std::floor(high + std::abs(high) * 1e-6) / scale),
             UnitText::symbol(units, Quantity::Length));
}

namespace Fov {

namespace {
bool classic(const Units::ShownUnits& units) {
    return units.isStored(Quantity::Length);
}
} // namespace

QString shownText(const Units::ShownUnits& units, const QString& storedFeet) {
    if (classic(units)) return storedFeet;
    const auto feet = MNumber::parse(storedFeet);
    if (!feet || !std::isfinite(*feet)) return storedFeet;
    return UnitText::decimalText(*feet * Units::MetresPerFoot, Decimals)
        .replace('.', QLocale().decimalPoint());
}

QString storedText(const Units::ShownUnits& units, const QString& shown) {
    if (classic(units)) return shown;
    const auto metres = MNumber::parse(shown);
    if (!metres || !std::isfinite(*metres)) return shown;
    return MNumber::fieldText(float(*metres / Units::MetresPerFoot), false);
}

QString caption(const Units::ShownUnits& units) {
    return classic(units) ? QStringLiteral("Field of View (ft @ 100 yd)")
                          : QStringLiteral("Field of View (m @ 100 yd)");
}

QString message(const Units::ShownUnits& units, float lowerFeet, float upperFeet,
                const QString& classicMessage) {
    if (classic(units)) return classicMessage;
    return QStringLiteral("Field of view must be between %1 and %2 m at 100 yd.")
        .arg(UnitText::boundText(lowerFeet * Units::MetresPerFoot, Decimals, true),
             UnitText::boundText(upperFeet * Units::MetresPerFoot, Decimals, false));
}

} // namespace Fov

} // namespace SimLengths
