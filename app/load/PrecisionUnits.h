// The precision model's boxes and wind zones in the shooter's units. The form keeps them in the
// files' units (inches, degrees F, ft/s per degree F, the load's range unit and mph); these
// turn them into what the boxes show and back, and name the unit in captions and messages.
#pragma once

#include "load/InputUnits.h"

#include <QString>
#include <QStringList>

namespace PrecisionUnits {

// The box is shown in another unit than the file's.
bool converted(const InputUnits::FieldUnits& units, int index);
// The box's text as shown, from the form's; a text that is no number stays as it is.
QString shownText(const InputUnits::FieldUnits& units, int index, const QString& stored);
// The form's text for what the box shows; a text that is no number stays as it is.
QString storedText(const InputUnits::FieldUnits& units, int index, const QString& shown);
// The box's caption, naming the unit when it is not the file's ("Bullet Length (mm)").
QString caption(const InputUnits::FieldUnits& units, int index);
// The box's range message, in the shown unit when converted.
QString message(const InputUnits::FieldUnits& units, int index);

// The wind zones ("END SPEED ANGLE; ...") with ends in the shown range unit and speeds in the
// wind unit, and back; a cell that is no number stays as typed.
QString shownZones(const InputUnits::FieldUnits& units, const QString& stored);
QString storedZones(const InputUnits::FieldUnits& units, const QString& shown);
// Empty when the zones as shown read, else the message, its bounds in the shown units.
QString zonesProblem(const InputUnits::FieldUnits& units, const QString& shown);
// The zone table's column titles: end range, speed, angle.
QStringList zoneHeaders(const InputUnits::FieldUnits& units);

} // namespace PrecisionUnits
