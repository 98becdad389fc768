// The hit probability in the shooter's units: the target sizes in the length unit, the velocity
// SD in the velocity unit, the wind call's SD in the wind unit and the range SD in the shown
// range unit; the rows' ranges and sigmas likewise. The load keeps the inputs as HitInputs holds
// them (inches, MOA, ft/s, % of the BC, the load's range unit, mph).
#pragma once

#include "load/InputUnits.h"
#include "services/UnitText.h"

#include <QString>

namespace HitUnits {

// The box of HitFields index `index` shows another unit than the file's.
bool converted(const InputUnits::FieldUnits& units, int index);
// A kept input as its box shows it: the classic shortest text, or the shown value to two
// decimals.
QString shownText(const InputUnits::FieldUnits& units, int index, double stored);
// The value kept for a box's shown value.
double storedValue(const InputUnits::FieldUnits& units, int index, double shown);
// "Target width (cm)", "Circle diameter (cm, 0: rectangle)", "Range SD (m)".
QString caption(const InputUnits::FieldUnits& units, int index);
// The box's limit in the shown unit, rounded inwards to two decimals, and its message naming
// the unit; the field's own when the box shows the file's unit.
UnitText::ShownLimit limit(const InputUnits::FieldUnits& units, int index);

// A row's range (the load's range unit) in the shown range unit, and that unit ("yd", "m").
double shownRange(const InputUnits::FieldUnits& units, double loadRange);
QString rangeSymbol(const InputUnits::FieldUnits& units);
// The sigma columns' titles ("Vert. σ in", "Horiz. σ cm") and their cells (inches in, shown in
// the length unit at its decimals).
QString sigmaHeading(const InputUnits::FieldUnits& units, bool vertical);
QString sigmaText(const InputUnits::FieldUnits& units, double inches);

} // namespace HitUnits
