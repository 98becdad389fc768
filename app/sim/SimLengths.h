// The simulator's length boxes (group size, target width and height) in the shooter's length
// unit. The session keeps inches; these turn them into what the boxes show and back, and name
// the unit in the captions and the range messages.
#pragma once

#include "units/ShownUnits.h"

#include <QString>

namespace SimLengths {

enum class Box { GroupSize, Width, Height };

// The box's text as shown, from the session's; a text that is no number stays as it is.
QString shownText(const Units::ShownUnits& units, const QString& stored);
// The session's text for what the box shows; a text that is no number stays as it is.
QString storedText(const Units::ShownUnits& units, const QString& shown);
// "Width (in)", "Group Size (in @ 100 yd)" with the length unit.
QString caption(const Units::ShownUnits& units, Box box);
// The range message in the shown unit, the bounds (inches) rounded inwards; `classic` in inches.
QString message(const Units::ShownUnits& units, Box box, float lower, float upper,
                const QString& classic);

// The field of view box: feet at 100 yd in the session, metres at 100 yd where the length unit
// is not the inch.
namespace Fov {
QString shownText(const Units::ShownUnits& units, const QString& storedFeet);
QString storedText(const Units::ShownUnits& units, const QString& shown);
// "Field of View (ft @ 100 yd)", "Field of View (m @ 100 yd)".
QString caption(const Units::ShownUnits& units);
// The range message in metres, the bounds (feet) rounded inwards; `classic` in feet.
QString message(const Units::ShownUnits& units, float lowerFeet, float upperFeet,
                const QString& classic);
} // namespace Fov

} // namespace SimLengths
