// The simulator's crosswind and target speed boxes in the shooter's wind speed unit. The
// session keeps whole mph (its sliders); these turn them into what the boxes show and back,
// and name the unit in the captions and the crosswind box's range message.
#pragma once

#include "services/UnitText.h"
#include "units/ShownUnits.h"

#include <QString>

namespace SimSpeeds {

enum class Box { Wind, Speed };

// The boxes show mph as the classic program does.
bool classic(const Units::ShownUnits& units);
// "Crosswind (km/h)", "Target Speed (mph)".
QString caption(const Units::ShownUnits& units, Box box);
// The box's text as shown, from the settings' mph; a text that is no number stays as it is.
QString shownText(const Units::ShownUnits& units, const QString& stored);
// The settings' mph for a typed text, to the last digit, so that the check in the shown unit
// sees what was typed; a text that is no number stays as it is.
QString storedText(const Units::ShownUnits& units, const QString& shown);
// The number typed, back from the settings' text, for the range check in the shown unit.
QString typedText(const Units::ShownUnits& units, const QString& stored);
// The text (the settings' mph) is what the box shows for a whole mph within the slider's
// bounds: the box's own text is always taken, though the slider's ends lie beyond the
// inward-rounded bounds (40 mph shows as 64.4 km/h, the message names 64.3).
bool showsWholeMph(const Units::ShownUnits& units, const QString& stored, float lowerMph,
                   float upperMph);
// The crosswind box's bounds and message in the shown unit from the slider's bounds in mph,
// rounded inwards to the unit's decimals; in mph, the bounds and `classicMessage` as they are.
UnitText::ShownLimit windLimit(const Units::ShownUnits& units, float lowerMph, float upperMph,
                               const QString& classicMessage);

} // namespace SimSpeeds
