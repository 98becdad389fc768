#include "load/InputFields.h"

namespace InputFields {

namespace {

// One row per field, in index order. Fields 4 and 5 are bounded above by field 3's current
// value, so their `upper` is only the widest value field 3 itself allows.
constexpr std::array<Field, Count> fields{{
    // caption, numeric, lower, upper, upperIsMaxRange, message, extra, focusHeld, initial, new
    {"Cartridge", false, 0, 0, false, "Cartridge Name can be anything", false, false, "7.62",
     "New"},
    {"Bullet Weight", true, 1, 600, false, "Bullet weight must be between 1 and 600 grains.", false,
     true, "175", "100"},
    {"Muzzle Velocity", true, 300, 4500, false, "Velocity must be 300 to 4500 fps.", false, true,
     "2635", "100"},
    {"Max Range", true, 1, 1500, false, "Maximum range must be 1500 yards or less.", false, true,
     "1000", "100"},
    {"Zero Range", true, 0, 1500, true, "Zero range must be between 0 and maximum range.", false,
     true, "127", "100"},
    {"Increments", true, 1, 1500, true, "Range increment must be between 1 and maximum range.",
     false, true, "50", "100"},
    {"Xwind Speed", true, 0, 25, false, "Crosswind speed must be between 0 and 25 mph.", false,
     true, "10", "100"},
    {"Xwind Angle", true, 0, 360, false, "Crosswind yards angle must be 0 to 360 degrees.", false,
     true, "90", "100"},
    {"Altitude", true, 0, 10000, false, "Altitude must be between 0 and 10000 ft.", true, true,
     "5000", "0"},
    {"Temp \u00B0F", true, 0, 120, false, "Temperature must be between 0 and 120 degrees.", true,
     true, "56", "56"},
    {"BC", true, 0.001f, 1.0f, false, "Ballistic Coefficient must be between 0.001 and 1.0.", false,
     true, ".495", "0.2"},
    {"Lower BC", true, 0, 1.0f, false, "", true, true, ".485", "0"},
    {"Lowest BC", true, 0, 1.0f, false, "", true, true, "0", "0"},
    {"Lower vel", true, 0, 4500, false, "", true, true, "1800", "0"},
    {"Lowest Vel", true, 0, 4500, false, "", true, true, "0", "0"},
    {"Sight Height", true, 0, 4.5f, false, "Sight height must be between 0 and 4.5 inches.", false,
     true, "2.6", "0"},
    // Scope magnification is shown conditionally too, but by the MilRange check box, not by
    // Advanced (it is not one of advancedFields()).
    {"Scope MagX", true, 1, 60, false, "", true, false, "10", "0"},
    {"Angle", true, -90, 90, false, "Downhill/Uphill angle in range -90/90 degrees.", true, false,
     "0", "0"},
    {"Pressure \"Hg", true, 5, 40, false, "Pressure must be between 5 and 40 in. Mercury.", true,
     false, "56", "29.53"},
    {"Humidity %", true, 0, 100, false, "Humidity must be between 0 and 100%.", true, false, "56",
     "78"},
    {"Target Speed", true, -50, 50, false, "Speed must be between -50 and 50mph.", true, false, "0",
     "5"},
}};

constexpr std::array<int, 10> advancedFieldIndexes{8, 9, 11, 12, 13, 14, 17, 18, 19, 20};
// Label 21 captions the target speed field and label 22 the drag model list; label 20 captions
// the comparison list, which shows whatever Advanced says, and so does its caption.
constexpr std::array<int, 11> advancedLabelIndexes{8, 9, 11, 12, 13, 14, 17, 18, 19, 21, 22};

} // namespace

namespace {

struct PrecisionLimit {
    int index;
    bool metric; // the range unit the limit is for (ranges only)
    Limit limit;
};

constexpr PrecisionLimit precisionLimits[] = {
    {MaxRange,
     false,
     {1, 5000, "Maximum range must be 5000 yards or less with the precision model."}},
    {MaxRange,
     true,
     {1, 4572, "Maximum range must be 4572 meters or less with the precision model."}},
    {XwindSpeed,
     false,
     {0, 60, "Crosswind speed must be between 0 and 60 mph with the precision model."}},
    {Altitude,
     false,
     {-1000, 15000, "Altitude must be between -1000 and 15000 ft with the precision model."}},
    {Temperature,
     false,
     {-40, 140, "Temperature must be between -40 and 140 degrees with the precision model."}},
};

} // namespace

Limit limit(int index, bool precision, bool metric) {
    if (precision)
        for (const PrecisionLimit& p : precisionLimits)
            if (p.index == index && (index != MaxRange || p.metric == metric)) return p.limit;
    const Field& f = field(index);
    return {f.lower, f.upper, f.message};
}

const std::array<Field, Count>& table() {
    return fields;
}

int captionLabel(int index) {
    return index == TargetSpeed ? 21 : index;
}

const std::array<int, 11>& advancedLabels() {
    return advancedLabelIndexes;
}

const std::array<int, 10>& advancedFields() {
    return advancedFieldIndexes;
}

} // namespace InputFields
