// quorvel --table [FILE.qvt] [--csv]: the Table tab's text for a load, or its rows as CSV,
// written to standard output.
#pragma once

#include <QStringList>

namespace TableCommand {

// operands: none (the initial load) or one load data file, and "--csv" anywhere among them.
// Returns the exit status.
int run(const QStringList& operands);

} // namespace TableCommand
