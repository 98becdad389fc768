// The refresh steps the window's Table and Graph tabs and the command line share: the table of
// the load on screen from its snapshot, the text to show for it, and the BC caption.
#pragma once

#include "load/CTextOutput.h"
#include "load/LoadSnapshot.h"

#include <QString>

namespace TableRefresh {

// The table of the snapshot's load. A load no trajectory can be computed from gives its problem
// (LoadSnapshot::loadProblem) as the reason, and nothing is computed.
TableResult table(const LoadSnapshot& snapshot, CTextOutput& txt);

// What the Table tab shows for a result: the table text, or why there is none (a failure, for
// the entry point to report, shows an empty text).
QString shownText(const TableResult& result);

// The BC caption of a load in the precision model: the drag table its BC is read against.
QString precisionBcCaption(const PrecisionForm& precision);
// That caption in the precision model; else "BC" or, when `handedBc` (the coefficient handed to
// the solver) differs from the BC field (the atmosphere correction), "BC (0.573)" with that
// coefficient.
QString bcCaption(const LoadSnapshot& snapshot, float handedBc);

} // namespace TableRefresh
