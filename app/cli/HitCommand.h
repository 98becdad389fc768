// --hit-probability: the chance of a first-round hit at every table row of a load, the impact's
// sigmas and each error's share of them.
#pragma once

#include <QStringList>

namespace HitCommand {

int run(const QStringList& operands);

} // namespace HitCommand
