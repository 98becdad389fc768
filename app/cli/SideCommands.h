// The two side calculators on the command line, with the dialogs' roundings:
//   quorvel --point-blank [FILE.qvt] [--target IN] [--group IN] [--angle DEG]
//   quorvel --chrono VELOCITY DISTANCE BC [--angle DEG]
//   quorvel --true-velocity FILE.qvt --range R --height IN
#pragma once

#include <QStringList>

namespace SideCommands {

// Prints the point-blank zero, the maximum point-blank range and the sight-in height at 100 for
// a load (the initial load without FILE); target 10 and group 0 inches unless given. Returns
// the exit status (2 with a one-line message on bad arguments).
int pointBlank(const QStringList& operands);

// Prints the muzzle velocity for a chronograph reading (ft/s, feet, G1 coefficient) and its
// difference from the reading.
int chrono(const QStringList& operands);

// Prints the muzzle velocity that makes the load's model (classic or precision) give the height
// observed at a range (the load's range unit), beside the load's own velocity.
int trueVelocity(const QStringList& operands);

} // namespace SideCommands
