// Reading a drag curve from the text of a CSV file of two columns, Mach and Cd.
#pragma once

#include "precision/DragCurve.h"

#include <optional>
#include <string>
#include <string_view>

namespace precision {

struct DragParse {
    std::optional<DragCurve> curve; // set when the text is a usable drag table
    std::string error;              // otherwise an English sentence naming the 1-based line
};

// Rows "Mach,Cd" with "." as the decimal point. Blank lines, lines starting with '#' and one
// header line "mach,cd" (any case) before the first row are skipped. The table needs at least
// two rows, Mach strictly increasing and not negative, Cd positive, every number finite.
DragParse parseDragCsv(std::string_view text);

} // namespace precision
