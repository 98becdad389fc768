// Number text: what the user types is parsed in the user's locale, what the program writes back
// is the shortest text that reads back to the same single-precision value, and every rounding
// to an integer or to decimals goes half to even.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace MNumber {

// A signed decimal with optional exponent, in the user's locale (decimal separator of the
// system locale; the C locale's "." is accepted as well). Empty or blank text is not numeric.
std::optional<double> parse(const QString& text);
bool isNumeric(const QString& text);
// A text that is no number yet but can become one as the user goes on typing: "", "-", "+",
// ".", "-.", "1e", "2.5e-". A box being typed into leaves these alone; its rules apply once the
// user leaves it.
bool isPartialNumber(const QString& text);

// Nearest integer, halves to the even neighbour.
double roundHalfEven(double value);
// value rounded half-even to `decimals` decimals, as a single-precision number.
float roundDecimals(float value, int decimals);

// Conversions that fail like a run-time overflow instead of wrapping: nullopt when the rounded
// value does not fit.
std::optional<int16_t> toInt16(double value);
std::optional<int32_t> toInt32(double value);
// nullopt when the value lies beyond the single-precision range.
std::optional<float> toSingle(double value);

// Shortest text that reads back to the same float, plain notation for ordinary magnitudes
// ("41.17", "0.5", "-37.25", "1000"), with the user's decimal separator when `localized`.
QString shortText(float value, bool localized = false);

// shortText with at most 7 significant digits: a value whose shortest text needs more is written
// rounded to 7 ("24.909403" becomes "24.9094"), as numbers the program puts into a field are.
QString fieldText(float value, bool localized = true);

// The classic plain form: up to 7 significant digits, no digit before the point for values
// between -1 and 1, one leading blank for non-negative values (" .5", "-.25", " 12").
QString plainText(float value);

// Booleans in data files: "True"/"False" when written; any text that converts is accepted.
QString boolText(bool value);
std::optional<bool> parseBool(const QString& text);

} // namespace MNumber
