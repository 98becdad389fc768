// quorvel --table [FILE.qvt]: the Table tab's text for a load, written to standard output.
#pragma once

#include <QStringList>

namespace TableCommand {

// operands: none (the initial load) or one load data file. Returns the exit status.
int run(const QStringList& operands);

} // namespace TableCommand
