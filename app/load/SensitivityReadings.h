// The powder-sensitivity calculator in the shooter's units: two muzzle velocities and the
// temperatures they were measured at, typed in the velocity and temperature units, give the
// sensitivity the precision model keeps (ft/s per degree F). The captions, the result and the
// messages name the shown units; in the files' units they are the classic ones.
#pragma once

#include "units/ShownUnits.h"

#include <QString>
#include <array>
#include <optional>

namespace SensitivityReadings {

// The readings' captions: "Velocity (fps)" or "Velocity (m/s)"; "at °F" or "at °C".
QString velocityCaption(const Units::ShownUnits& units);
QString temperatureCaption(const Units::ShownUnits& units);
// What follows a sensitivity in the result line: " fps/°F", or " m/s/°C" in other units.
QString sensitivityUnit(const Units::ShownUnits& units);

struct Sensitivity {
    QString shown;  // two decimals of the shown units, as the result line and the field show it
    QString stored; // the field's text in ft/s per degree F
};

// The sensitivity of readings typed in the shown units (velocity, temperature, velocity,
// temperature); none, with the reason in `problem`, when they give none the field takes. In
// other units than the files' the value is the one shown, to two decimals: the field computes
// with what it shows.
std::optional<Sensitivity> fromReadings(const Units::ShownUnits& units,
                                        const std::array<double, 4>& readings, QString& problem);

} // namespace SensitivityReadings
