// The table as a CSV file: a header line with the columns' names, then one line per row, the
// values unrounded as the shortest text that reads back to the same single-precision value,
// "." as the decimal point whatever the locale, LF line ends, UTF-8. The rows are the Table
// tab's own. A table that stops short of its range (the bullet no longer advanced) ends with a
// comment line saying where: "# The bullet does not reach 1000 yards; the table ends at 850
// yards." A load with hit-probability inputs gets three more columns: hit_pct, sigma_v_in and
// sigma_h_in (the impact's vertical and horizontal standard deviations, inches).
#pragma once

#include "load/TableColumns.h"

#include "services/Problem.h"
#include <QByteArray>

#include <QString>
#include <optional>
#include <vector>

class CTextOutput;
struct LoadSnapshot;
struct TableResult;

namespace CsvExport {

QByteArray text(const std::vector<TableRow>& rows,
                const std::vector<TableColumns::Format>& columns);

// The CSV of rows computed for the snapshot's load (a result that is ok()).
QByteArray fromResult(const LoadSnapshot& snapshot, const TableResult& result);

// The CSV of a snapshot's load (the Table tab's rows); empty when no table could be computed,
// the reason in `problem` (a field's message, or the precision model's) or in `failures` (in the
// order they arose) for the entry point to report.
QByteArray tableCsv(const LoadSnapshot& snapshot, CTextOutput& txt, QString& problem,
                    QList<Problem>& failures);

// File > Export Table: asks for a file name and writes the CSV there. False when cancelled or
// not written (the reason shown once).
bool exportWithDialog(const LoadSnapshot& snapshot);

} // namespace CsvExport
