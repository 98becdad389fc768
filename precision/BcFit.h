// The ballistic coefficient on one drag table that flies like a given one on another.
#pragma once

#include "precision/DragCurve.h"
#include "precision/Shot.h"

#include <optional>

namespace precision {

// The coefficient against `to` that gives `shot` (whose bc is read against `from`) the same
// height at rangeYd, level and without wind, within a ten-thousandth of an inch; none when the
// shot cannot fly on `from` or no coefficient between 0.01 and 5 matches.
std::optional<double> equivalentBc(const Shot& shot, const DragCurve& from, const DragCurve& to,
                                   double rangeYd);

} // namespace precision
