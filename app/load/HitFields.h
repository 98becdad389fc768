// The hit probability's inputs as boxes and file fields: for each, where it goes in HitInputs,
// its caption, its unit and the numbers it accepts. The dialog and the load file share the order.
#pragma once

#include "load/HitInputs.h"
#include "services/InputLimit.h"

#include <QString>
#include <array>

namespace HitFields {

constexpr int Count = 8;

struct Field {
    const char* name;    // the box's object name
    const char* caption; // before the unit
    const char* unit;    // nullptr: the load's range unit
    double HitInputs::*member;
    InputLimit limit;
};

const std::array<Field, Count>& table();
inline const Field& field(int index) {
    return table().at(static_cast<size_t>(index));
}

// "Target width (in)"; the range error in the load's range unit.
QString caption(int index, bool metric);

} // namespace HitFields
