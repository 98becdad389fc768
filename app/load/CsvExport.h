// The table as a CSV file: a header line with the columns' names, then one line per row, the
// values unrounded as the shortest text that reads back to the same single-precision value,
// "." as the decimal point whatever the locale, LF line ends, UTF-8. The rows are the Table
// tab's own. A table that stops short of its range (the bullet no longer advanced) ends with a
// comment line saying where: "# The bullet does not reach 1000 yards; the table ends at 850
// yards."
#pragma once

#include "load/TableColumns.h"

#include <QByteArray>
#include <QString>
#include <vector>

class CTextOutput;
class LoadModel;

namespace CsvExport {

QByteArray text(const std::vector<TableRow>& rows,
                const std::vector<TableColumns::Format>& columns);

// The CSV of the load on screen (the Table tab's rows); empty when no table could be computed,
// the reason in `problem` (a field's message) or already reported.
QByteArray tableCsv(LoadModel& model, CTextOutput& txt, QString& problem);

// File > Export Table: asks for a file name and writes the CSV there. False when cancelled or
// not written (the reason shown once).
bool exportWithDialog(LoadModel& model);

} // namespace CsvExport
