// The truing dialogs' observations in the shooter's units: ranges in the shown range unit,
// heights in the length unit or in the table's click or mil columns, velocities in the
// velocity unit. The truing itself works in the load's range unit, inches and ft/s.
#pragma once

#include "load/InputUnits.h"

#include <QString>

namespace TruingUnits {

// "Range (yards)" or "Range (m)", as the ranges are shown.
QString rangeCaption(const InputUnits::FieldUnits& units);
// The first entry of the height unit list: "inches", or the length unit's symbol.
QString heightUnitName(const InputUnits::FieldUnits& units);
// The shortest and longest range an observation may have, in the shown range unit, rounded
// inwards to a tenth; and the message naming them.
double shortestRange(const InputUnits::FieldUnits& units);
double longestRange(const InputUnits::FieldUnits& units);
// A range as shown, in the load's own range unit.
double loadRange(const InputUnits::FieldUnits& units, double shown);
// The inches an observed height stands for: `height` in the length unit, or, when
// `correction`, in the table's click column (the scope's clicks, `moa`) or mil column, at
// `loadRange` of the load's range unit.
double observedInches(const InputUnits::FieldUnits& units, double height, bool correction,
                      float loadRange, bool moa);
// A velocity in ft/s as the dialogs show it: the classic shortest text, or the shown unit to a
// tenth.
QString velocityText(const InputUnits::FieldUnits& units, double fps);
// "Load Muzzle Velocity (ft/sec)" with the velocity unit.
QString velocityCaption(const InputUnits::FieldUnits& units, const QString& name);

} // namespace TruingUnits
