// The 21 input fields of a load, as one table: captions, ranges, messages and texts.
#pragma once

#include <QString>
#include <array>

namespace InputFields {

constexpr int Count = 21;

// Field indexes with a meaning of their own elsewhere.
enum Index {
    Cartridge = 0,
    BulletWeight = 1,
    MuzzleVelocity = 2,
    MaxRange = 3,
    ZeroRange = 4,
    Increments = 5,
    XwindSpeed = 6,
    XwindAngle = 7,
    Altitude = 8,
    Temperature = 9,
    Bc = 10,
    LowerBc = 11,
    LowestBc = 12,
    LowerVel = 13,
    LowestVel = 14,
    SightHeight = 15,
    ScopeMag = 16,
    Angle = 17,
    Pressure = 18,
    Humidity = 19,
    TargetSpeed = 20,
};

struct Field {
    const char* caption;
    bool numeric;       // false only for the cartridge name
    float lower, upper; // inclusive; fields 4 and 5 take their upper bound from field 3
    bool upperIsMaxRange;
    const char* message; // tooltip and out-of-range warning; empty for 11 to 14 and 16
    bool extra;          // shown only while Advanced is checked (16: while MilRange is)
    bool focusHeld;      // an out-of-range value keeps the focus
    const char* initialText;
    const char* newLoadText;
};

const std::array<Field, Count>& table();

// The bounds and message of a field under the model in use: the precision model reaches to
// 5000 yd (4572 m), -40 to 140 F, -1000 to 15000 ft and 60 mph of wind; every other field, and
// the classic model, keep the table's.
struct Limit {
    float lower, upper;
    const char* message;
};
Limit limit(int index, bool precision, bool metric);
inline const Field& field(int index) {
    return table().at(static_cast<size_t>(index));
}

// Caption label index of a field: field 20 is captioned by label 21.
int captionLabel(int index);

// Label indexes hidden with the Advanced check box: the captions of the extra fields and of the
// drag model list (label 22).
const std::array<int, 11>& advancedLabels();
const std::array<int, 10>& advancedFields();

} // namespace InputFields
