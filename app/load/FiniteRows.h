// A table's rows checked for values no number can hold: an overflow or an undefined value is
// never printed as "Inf" or "NaN", but named with the input it comes from.
#pragma once

#include "load/TableColumns.h"

#include <QString>
#include <vector>

namespace FiniteRows {

// Empty when every value of every row is finite; otherwise one sentence naming the first value
// that is not, where it is, and the input to check ("The spin drift at 100 yards cannot be
// computed with this load: check the Twist.").
QString problem(const std::vector<TableRow>& rows, bool precision, bool metric);

} // namespace FiniteRows
