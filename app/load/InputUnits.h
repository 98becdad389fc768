// The Input tab's fields in the shooter's units. The form keeps every field's text in the
// files' units; these turn it into what the field shows and what is typed back into it, and
// name the unit in the caption and the field's range message.
#pragma once

#include "load/InputFields.h"
#include "units/ShownUnits.h"

#include <QString>

namespace InputUnits {

// The units a field is shown in: the shooter's, and the load's own range unit (metres or yards)
// that its ranges are kept in.
struct FieldUnits {
    Units::ShownUnits units;
    bool loadMetric = false;
};

// What field `index` measures; Quantity::Count for a field in no unit of the shooter's choice
// (names, angles, coefficients, humidity, magnification).
Units::Quantity quantity(int index);
// The field is shown in another unit than the file's.
bool converted(const FieldUnits& units, int index);
// The load record holds the field as a whole number of its unit (grains, ft/s, mph, yards or
// metres).
bool wholeInRecord(int index);

// The field's text as shown, from the form's; a text that is no number stays as it is.
QString shownText(const FieldUnits& units, int index, const QString& stored);
// The form's text for what the field shows; a text that is no number stays as it is.
QString storedText(const FieldUnits& units, int index, const QString& shown);
// The form's text once the field is left: a whole-number field holds the value the record
// will use ("2624.672" becomes "2625"), so that what shows is what is computed.
QString settledText(const FieldUnits& units, int index, const QString& stored);

// The field's caption, naming its unit under any units but the classic ones ("Muzzle Velocity
// (m/s)", "Max Range (m)").
QString caption(const FieldUnits& units, int index);
// The range message of a field under `limit`, in the shown unit when converted: the bounds are
// rounded inwards to the unit's decimals so that every value the message allows is taken.
QString limitMessage(const FieldUnits& units, int index, const InputFields::Limit& limit);

} // namespace InputUnits
