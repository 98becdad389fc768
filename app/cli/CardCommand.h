// quorvel --card FILE.qvt -o OUT.pdf: the range card of a load as a one-page PDF.
#pragma once

#include <QStringList>

namespace CardCommand {

// operands: one load data file and "-o" with the PDF's path. Returns the exit status.
int run(const QStringList& operands);

} // namespace CardCommand
