// The precision model's inputs on the Input tab, as one table: the drag tables offered, and the
// seven number boxes with their captions, ranges, messages and the texts of a new load.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace PrecisionFields {

constexpr int Count = 7;

enum Index {
    Twist = 0,       // inches per turn, negative for a left-hand twist, 0 for no spin drift
    Length = 1,      // bullet length, in
    Diameter = 2,    // bullet diameter, in
    Latitude = 3,    // degrees north, empty for no Coriolis
    Azimuth = 4,     // direction of fire, degrees clockwise from north
    Sensitivity = 5, // ft/s per degree F
    PowderTemp = 6,  // degrees F the muzzle velocity was measured at
};

struct Field {
    const char* caption;
    const char* name; // how the header of a table names it
    float lower, upper;
    float leastMagnitude; // a value nearer 0 than this is refused (bar 0 when zeroAllowed)
    bool zeroAllowed;     // 0 stands for "not given" even below the lower bound
    bool emptyAllowed;    // an empty box stands for "not given"
    const char* message;
    const char* unit; // after the value in a table's header
    const char* newLoadText;
};

const std::array<Field, Count>& table();
inline const Field& field(int index) {
    return table().at(static_cast<size_t>(index));
}

// The standard drag tables, in the list's order; the first load that turns the model on uses
// the G7 table.
QStringList standardDragTables();
QString defaultDragTable();
// The last entry of the list, which asks for a file of one's own.
QString customEntry();
// A standard table's name, or a file path.
bool isStandardDragTable(const QString& nameOrPath);

// How the BC caption and the header name a drag table: a standard table by its name, a file of
// one's own by its file name without the extension.
QString dragTableName(const QString& nameOrPath);

// A BC far outside what bullets have on a standard table (G7: 0.05 to 0.55, G1: 0.05 to 1.2),
// likely read against another table: the warning to give, empty when it is plausible or the
// table has no such range.
QString implausibleBc(const QString& table, double bc);

// Powder sensitivity from two chronograph readings: ft/s per degree F between velocity v1 at
// temperature t1 and v2 at t2. None, with the reason in `problem`, when the temperatures are the
// same or the result is outside what the sensitivity field accepts.
std::optional<double> powderSensitivity(double v1, double t1, double v2, double t2,
                                        QString& problem);

// The check made on leaving a box: empty when `text` is acceptable, else the field's message.
QString check(int index, const QString& text);

// The value in a box, as the model reads it; none for an empty box or a text that is not a
// number.
std::optional<double> value(int index, const QString& text);

} // namespace PrecisionFields
