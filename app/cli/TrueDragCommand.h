// quorvel --true-drag FILE.qvt --observe R:H [--observe R:H ...]: the drag scales that make the
// load's precision model pass through the heights observed (R in the load's range unit, H in
// inches above the line of sight), and the fit.
#pragma once

#include <QStringList>

namespace TrueDragCommand {

// Prints the fit; the warning for observations all inside 600 yd goes to standard error. Exit
// status 2 with a one-line message on bad arguments or a load no drag scale fits.
int run(const QStringList& operands);

} // namespace TrueDragCommand
