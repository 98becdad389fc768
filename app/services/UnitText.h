// Numbers in the shooter's units as text: what a field, a caption or a header shows of a value
// kept in the files' units, and the files' value of what the shooter typed.
#pragma once

#include "units/ShownUnits.h"

#include <QString>
#include <optional>

namespace UnitText {

// A stored value in the shown unit at that unit's decimals, trailing zeros dropped ("800.1",
// "11.34", "-5"); the user's decimal separator when `localized`.
QString number(const Units::ShownUnits& units, Units::Quantity q, double stored,
               bool localized = false);
// The same followed by the unit ("800.1 m/s").
QString withUnit(const Units::ShownUnits& units, Units::Quantity q, double stored);
// The stored value of a number typed in the shown unit; none when the text is no number.
std::optional<double> stored(const Units::ShownUnits& units, Units::Quantity q,
                             const QString& typed);
// A caption naming its unit: "Muzzle Velocity" becomes "Muzzle Velocity (m/s)".
QString caption(const QString& name, const Units::ShownUnits& units, Units::Quantity q);
// The unit's symbol.
QString symbol(const Units::ShownUnits& units, Units::Quantity q);

} // namespace UnitText
