// Whether a trajectory can be computed from the load on screen. The table, the graph, the
// point-blank search and the simulator read the load record, which keeps the last number a field
// held; this check looks at the texts themselves, so nothing is ever computed from a value the
// user no longer sees, and a load no trajectory exists for (a muzzle velocity of 0, a coefficient
// of 0) gives one clear message instead of a table of overflows.
#pragma once

#include "load/LoadForm.h"

#include <QString>

namespace LoadCheck {

struct Finding {
    // The field at fault, -1 when the load can be computed; InputFields::Count + i for the
    // precision model's input i; InputFields::Count + PrecisionFields::Count for its cant or
    // wind zones.
    int field = -1;
    QString message; // "<caption>: <the field's own message>"

    bool ok() const { return field < 0; }
};

// The first field, in index order, that the computation reads and whose text is not a usable
// number, or whose value no trajectory can be computed from: a muzzle velocity below 300 ft/s, a
// ballistic coefficient of 0 or less, a maximum range or increment of 0 or less, or a maximum
// range too long for the solver's step count. The extra fields count only while Advanced is on,
// the scope magnification only while MilRange is. Values outside a field's range that can still
// be computed pass. With the precision model on, the pressure and humidity are read too, and
// its own inputs must pass their checks.
Finding computable(const LoadForm& form);
Finding precisionComputable(const PrecisionForm& precision);

// The message of a field: its caption and its own range message under the load's model (the
// maximum range naming the limit that applies), or the range itself for the fields that have no
// message of their own.
QString fieldMessage(int index, const LoadForm& form);

// The fields whose text does not pass the check made on leaving them (not a number, or outside
// their range), by caption, in index order. The cartridge name always passes.
QStringList failingFields(const LoadForm& form);

} // namespace LoadCheck
