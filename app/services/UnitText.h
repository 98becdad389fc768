// Numbers in the shooter's units as text: what a field, a caption or a header shows of a value
// kept in the files' units, and the files' value of what the shooter typed.
#pragma once

#include "services/InputLimit.h"
#include "units/ShownUnits.h"

#include <QString>
#include <optional>

namespace UnitText {

// `value` rounded half to even to `decimals` decimals, trailing zeros dropped, never "-0".
QString decimalText(double value, int decimals);
// A limit of `decimals` decimals rounded inwards (up for the lower bound, down for the upper) so
// that every value the message naming it allows is taken; a hair of slack keeps a bound from
// moving on its factor's or its single precision's last digit (4500 ft/s is 1371.6 m/s).
QString boundText(double shown, int decimals, bool lower);

// A stored value in the shown unit at that unit's decimals, trailing zeros dropped ("800.1",
// "11.34", "-5"); the user's decimal separator when `localized`.
QString number(const Units::ShownUnits& units, Units::Quantity q, double stored,
               bool localized = false);
// The same followed by the unit ("800.1 m/s").
QString withUnit(const Units::ShownUnits& units, Units::Quantity q, double stored);
// `classic` (the value with its unit as the classic texts write it) while the quantity shows in
// the files' unit; else the value in the shown unit, `separator` and the unit ("15  °C").
QString valueText(const Units::ShownUnits& units, Units::Quantity q, double stored,
                  const QString& classic, const QString& separator = QStringLiteral(" "));
// The stored value of a number typed in the shown unit; none when the text is no number.
std::optional<double> stored(const Units::ShownUnits& units, Units::Quantity q,
                             const QString& typed);
// A caption naming its unit: "Muzzle Velocity" becomes "Muzzle Velocity (m/s)".
QString caption(const QString& name, const Units::ShownUnits& units, Units::Quantity q);
// The unit's symbol.
QString symbol(const Units::ShownUnits& units, Units::Quantity q);

// A typed box's limit in the shown unit: the bounds rounded inwards to `decimals`, so that every
// value the message allows is taken, and the message naming the unit ("Velocity must be between
// 91.5 and 1371.6 m/s."). In the files' unit, the limit and its message as they are.
struct ShownLimit {
    float lower, upper;
    QString message;
};
ShownLimit limit(const Units::ShownUnits& units, Units::Quantity q, const InputLimit& stored,
                 const QString& name, int decimals);

} // namespace UnitText
