// The shooter's units kept in the per-user settings store: a preference, not part of any load.
#pragma once

#include "units/ShownUnits.h"

namespace UnitsSettings {

// The units last chosen; imperial with quarter-MOA clicks when none were, and for any value the
// store holds that names no unit.
Units::ShownUnits load();
void save(const Units::ShownUnits& units);

} // namespace UnitsSettings
