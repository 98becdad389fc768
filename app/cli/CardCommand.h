// quorvel --card FILE.qvt -o OUT.pdf [--card-size page|pocket] [--rows FIRST:LAST:STEP]: the
// range card of a load as a PDF, on an A4 page or an A6 pocket card.
#pragma once

#include <QStringList>

namespace CardCommand {

// operands: one load data file, "-o" with the PDF's path, and the card's size and rows. Returns
// the exit status.
int run(const QStringList& operands);

} // namespace CardCommand
