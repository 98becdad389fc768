// The columns of the ballistics table, described once: what each holds, its heading (which may
// depend on the options), its name in an exported file, and how its value is written in the
// Table tab. The rows (TableRows) hold every column's value unrounded in its unit; the table
// text, the CSV export and the range card read both.
#pragma once

#include "units/ShownUnits.h"

#include <QString>
#include <array>
#include <vector>

namespace TableColumns {

enum Column {
    Range,            // range unit (yards or metres)
    MilRange,         // inches one mil-dot covers at the range, at the scope's magnification
    Height,           // inches above the line of sight
    HeightCorrection, // quarter-MOA clicks or mils to dial for the height
    Wind,             // inches of drift
    WindCorrection,
    Velocity, // ft/s
    Energy,   // ft-lbf
    Time,     // s
    Lead,     // inches a moving target travels during the flight
    LeadCorrection,
    Spin,               // inches of spin drift (precision model)
    CoriolisVertical,   // inches (precision model)
    CoriolisHorizontal, // inches (precision model)
    Mach,               // speed over the speed of sound (precision model)
    // Where the bullet crosses into the transonic (1: first row below Mach 1.2) or subsonic
    // (2: first row below Mach 1.0) range; 0 elsewhere (precision model).
    SoundBarrier,
    Count
};
inline constexpr float TransonicMark = 1, SubsonicMark = 2;

// The word that marks a row where the bullet turns transonic or subsonic; empty elsewhere.
QString soundBarrierText(float mark);

struct Options {
    bool moa = false;        // corrections in quarter-MOA clicks rather than mils
    bool metric = false;     // ranges in metres
    bool milRange = false;   // the mil-dot ranging column
    bool precision = false;  // the precision model's columns
    Units::ShownUnits units; // the shooter's units (the files' units: imperial)
};

struct Format {
    Column column = Range;
    QString heading;         // the Table tab's heading
    QString csvName;         // the header of the column in a CSV file
    int decimals = 0;        // -1: the shortest text of the value
    int innerWidth = 8;      // the text is fitted to this, then padded to the column's width
    bool correction = false; // a sight correction, rounded to 1 decimal before its decimals
    bool inText = true;      // shown in the Table tab (the Coriolis parts are exported only)
    Units::Quantity quantity = Units::Quantity::Count; // what the value measures, if a unit
                                                       // of the shooter's choice
    QString unit; // the unit the shown value is in ("cm", "clicks"), empty for Mach
};

// The columns present for the options, in the Table tab's order.
std::vector<Format> columns(const Options& options);

// The text of a value in the Table tab, right-justified in the column's inner width (the line
// pads it to the column's width); a wider text is kept whole.
QString cellText(const Format& format, float value);

} // namespace TableColumns

// One row of the table: the value of every column, unrounded, in the column's unit.
struct TableRow {
    std::array<float, TableColumns::Count> value{};

    float& operator[](TableColumns::Column c) { return value[size_t(c)]; }
    float operator[](TableColumns::Column c) const { return value[size_t(c)]; }
};

namespace TableColumns {
// A row, or rows, with every value in the shooter's units (clicks of the chosen value); the
// same rows under imperial units.
TableRow shownRow(const TableRow& row, const Options& options);
std::vector<TableRow> shownRows(const std::vector<TableRow>& rows, const Options& options);
} // namespace TableColumns
