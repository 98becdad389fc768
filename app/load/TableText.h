// The ballistics table as text, from its rows: the header block naming the load and the
// conditions, the column headings and a line per row, fixed-width with CR LF line ends.
#pragma once

#include "load/CInput.h"
#include "load/MPrint.h"
#include "load/TableColumns.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace TableText {

// What the header says beyond the load record.
struct HeaderSettings {
    bool advanced = false;
    bool metric = false;
    bool milRange = false;
    float scopeMag = 0;
    QString cartridge;       // the cartridge field's text
    QString targetSpeed;     // the target speed as shown ("0" while the extras are hidden)
    QString angle;           // the angle field's text
    QStringList bands;       // the lines naming the lower coefficients the rows fly on
    QStringList extra;       // further header lines (the precision model's inputs)
    bool windByZone = false; // wind zones replace the one crosswind (named in `extra`)
    Units::ShownUnits units; // the shooter's units
};

// The header lines naming each lower coefficient band of `load` that the bullet reaches within
// `rows` (the solver switches to a band once the velocity is at or below its velocity); none
// when the whole table flies on the main coefficient.
QStringList bandLines(const CInput& load, const std::vector<TableRow>& rows,
                      const Units::ShownUnits& units = {});

// Each row's texts, one per column shown (in the columns' order). A table formats its cells
// once: the widths and the lines are both made from these.
std::vector<MPrint::Columns> rowCells(const std::vector<TableRow>& rows,
                                      const std::vector<TableColumns::Format>& columns);

// The width of each column shown (in the columns' order): 8 characters, or the widest of its
// texts (`rowCells` of the same columns) when one is wider, so that no value loses a character
// and the rows stay aligned.
std::vector<int> columnWidths(const std::vector<MPrint::Columns>& cells,
                              const std::vector<TableColumns::Format>& columns);

// Appends the header block and the column headings with their dashes, the columns `widths` wide
// (8 characters each when empty).
void appendHeader(QString& out, const CInput& in1, const HeaderSettings& header,
                  const std::vector<TableColumns::Format>& columns,
                  const QString& separator = QStringLiteral(" "),
                  const std::vector<int>& widths = {});

// Appends one table line of a row's texts, and after it the row's sound-barrier mark, if any.
void appendRow(QString& out, const MPrint::Columns& cells, float soundBarrierMark,
               const QString& separator = QStringLiteral(" "), const std::vector<int>& widths = {});

// Appends the line that says a table stops short of the range asked for: the bullet got no
// farther than `lastRange` (the precision model stops a flight that no longer advances).
void appendShortEnd(QString& out, float lastRange, float maxRange, bool metric);

} // namespace TableText
