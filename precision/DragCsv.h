// Reading a drag curve from the text of a CSV file of two columns, Mach and Cd.
#pragma once

#include "precision/DragCurve.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace precision {

// Where the physics of a drag table ends: no projectile has a drag coefficient above 5, and no
// rifle bullet flies beyond Mach 10. Neighbouring Mach numbers closer than LeastMachStep leave the
// curve's cubic without a usable slope.
constexpr double MostDragCd = 5;
constexpr double MostDragMach = 10;
constexpr double LeastMachStep = 1e-4;

// The most characters of a field a message quotes.
constexpr std::size_t MostQuotedChars = 40;

struct DragParse {
    std::optional<DragCurve> curve; // set when the text is a usable drag table
    std::string error;              // otherwise an English sentence naming the 1-based line
};

// Rows "Mach,Cd" with "." as the decimal point. Blank lines, lines starting with '#' and one
// header line "mach,cd" (any case) before the first row are skipped. The table needs at least
// two rows, Mach from 0 to MostDragMach rising by at least LeastMachStep, Cd above 0 and at most
// MostDragCd. A message quotes at most MostQuotedChars of a field, control characters escaped.
DragParse parseDragCsv(std::string_view text);

// A field as a message quotes it: at most MostQuotedChars characters, then "...", with bytes
// below 0x20 and 0x7F written as \xNN so that nothing reaches a terminal as a control.
std::string quotedField(std::string_view field);

} // namespace precision
