// Reading a drag curve from a radar drag file (.drg): a header line, then one row per line of
// two numbers separated by blanks or tabs, the drag coefficient and the Mach number.
#pragma once

#include "precision/DragCsv.h"

#include <string_view>

namespace precision {

// The most rows a .drg file may have; radar files have a few hundred.
inline constexpr int mostDrgRows = 10000;

// The first non-blank line is the header and is skipped whatever it says; blank lines are
// skipped. The column order is found from the numbers: Mach is the column that rises strictly
// (Cd first, as the format writes it, when both do). "." is the decimal point: a comma in a row
// is refused naming the line, and so is any row that is not two finite numbers, a Cd that is
// not positive, a negative Mach, Mach not ascending, or more than mostDrgRows rows.
DragParse parseDragDrg(std::string_view text);

} // namespace precision
