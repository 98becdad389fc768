#include "load/SensitivityReadings.h"

#include "load/PrecisionFields.h"
#include "load/PrecisionUnits.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

namespace SensitivityReadings {

namespace {

using Units::Quantity;

constexpr int SensitivityDecimals = 2;

InputUnits::FieldUnits fieldUnits(const Units::ShownUnits& units) {
    return {units, false};
}

bool converted(const Units::ShownUnits& units) {
    return PrecisionUnits::converted(fieldUnits(units), PrecisionFields::Sensitivity);
}

QString temperatureLetter(const Units::ShownUnits& units) {
    return units.unit(Quantity::Temperature) == Units::Unit::Celsius ? QStringLiteral("C")
                                                                     : QStringLiteral("F");
}

} // namespace

QString velocityCaption(const Units::ShownUnits& units) {
    if (units.isStored(Quantity::Velocity)) return QStringLiteral("Velocity (fps)");
    return UnitText::caption(QStringLiteral("Velocity"), units, Quantity::Velocity);
}

QString temperatureCaption(const Units::ShownUnits& units) {
    return QStringLiteral("at ") + UnitText::symbol(units, Quantity::Temperature);
}

QString sensitivityUnit(const Units::ShownUnits& units) {
    if (!converted(units)) return QStringLiteral(" fps/\u00B0F");
    return ' ' + UnitText::symbol(units, Quantity::Velocity) + '/' +
           UnitText::symbol(units, Quantity::Temperature);
}

std::optional<Sensitivity> fromReadings(const Units::ShownUnits& units,
                                        const std::array<double, 4>& readings, QString& problem) {
    const auto [v1, t1, v2, t2] = readings;
    if (!converted(units)) {
        const auto sensitivity = PrecisionFields::powderSensitivity(v1, t1, v2, t2, problem);
        if (!sensitivity) return std::nullopt;
        const QString text = MNumber::shortText(MNumber::roundDecimals(float(*sensitivity), 2));
        return Sensitivity{text, text};
    }
    if (t1 == t2) {
        problem = QStringLiteral("The two temperatures must differ.");
        return std::nullopt;
    }
    // A difference of velocities over one of temperatures: the units' offsets cancel.
    const QString shown = UnitText::decimalText((v2 - v1) / (t2 - t1), SensitivityDecimals);
    const QString stored =
        PrecisionUnits::storedText(fieldUnits(units), PrecisionFields::Sensitivity, shown);
    if (!PrecisionFields::check(PrecisionFields::Sensitivity, stored).isEmpty()) {
        problem =
            QStringLiteral("The readings give %1 %2 per degree %3: ")
                .arg(shown, UnitText::symbol(units, Quantity::Velocity), temperatureLetter(units)) +
            PrecisionUnits::message(fieldUnits(units), PrecisionFields::Sensitivity);
        return std::nullopt;
    }
    return Sensitivity{shown, stored};
}

} // namespace SensitivityReadings
