// The units a shooter reads and types: one choice per quantity and the value of a sight click.
// The files and the engines keep their own units (yards or metres as the load says, ft/s,
// grains, inches, mph, degrees F, inHg, ft, ft-lbf); every conversion to and from what is shown
// goes through here. Standard C++ only.
#pragma once

#include "units/Units.h"

#include <array>
#include <cmath>
#include <optional>
#include <string_view>

namespace Units {

// What a number measures, as far as its unit is the shooter's choice.
enum class Quantity {
    Range,       // distances along the line of fire (chosen by `RangeChoice`, not converted here)
    Velocity,    // bullet speeds
    Weight,      // bullet weight
    Length,      // drop, drift, lead, target and group sizes
    SightHeight, // sight height, bullet length and diameter
    WindSpeed,   // wind and target speeds
    Temperature,
    Pressure,
    Altitude,
    Energy,
    Count
};
inline constexpr int QuantityCount = int(Quantity::Count);

enum class Unit {
    Yard,
    Metre,
    FeetPerSecond,
    MetresPerSecond,
    Grain,
    Gram,
    Inch,
    Centimetre,
    Millimetre,
    MilesPerHour,
    KilometresPerHour,
    Fahrenheit,
    Celsius,
    InchesOfMercury,
    Hectopascal,
    MillimetresOfMercury,
    Foot,
    FootPound,
    Joule
};

// One unit of one quantity: shown = stored x scale + offset, where stored is the quantity's
// unit in the files (the first unit of each quantity below).
struct UnitInfo {
    Quantity quantity;
    Unit unit;
    const char* symbol; // as captions and headers write it
    const char* tag;    // in CSV column names and settings ("cm", "mps")
    double scale;       // shown units per stored unit
    double offset;      // added after scaling (temperatures)
    int decimals;       // a typed field's decimals in this unit
};

// Every unit each quantity can be shown in; the first of each is the files' unit. The factors
// are the definitions: 1 yd = 0.9144 m, 1 ft = 0.3048 m, 1 in = 2.54 cm, 1 gr = 64.79891 mg,
// 1 mph = 1.609344 km/h, 1 inHg = 33.8639 hPa = 25.4 mmHg, 1 ft-lbf = 1.3558179 J.
inline constexpr UnitInfo UnitTable[] = {
    {Quantity::Range, Unit::Yard, "yd", "yd", 1.0, 0, 0},
    {Quantity::Range, Unit::Metre, "m", "m", 0.9144, 0, 0},
    {Quantity::Velocity, Unit::FeetPerSecond, "ft/s", "fps", 1.0, 0, 0},
    {Quantity::Velocity, Unit::MetresPerSecond, "m/s", "mps", 0.3048, 0, 1},
    {Quantity::Weight, Unit::Grain, "gr", "gr", 1.0, 0, 0},
    {Quantity::Weight, Unit::Gram, "g", "g", 0.06479891, 0, 2},
    {Quantity::Length, Unit::Inch, "in", "in", 1.0, 0, 2},
    {Quantity::Length, Unit::Centimetre, "cm", "cm", 2.54, 0, 1},
    {Quantity::SightHeight, Unit::Inch, "in", "in", 1.0, 0, 3},
    {Quantity::SightHeight, Unit::Millimetre, "mm", "mm", 25.4, 0, 1},
    {Quantity::WindSpeed, Unit::MilesPerHour, "mph", "mph", 1.0, 0, 0},
    {Quantity::WindSpeed, Unit::KilometresPerHour, "km/h", "kmh", 1.609344, 0, 1},
    {Quantity::WindSpeed, Unit::MetresPerSecond, "m/s", "mps", 0.44704, 0, 1},
    {Quantity::Temperature, Unit::Fahrenheit, "\u00B0F", "f", 1.0, 0, 0},
    {Quantity::Temperature, Unit::Celsius, "\u00B0C", "c", 5.0 / 9.0, -160.0 / 9.0, 1},
    {Quantity::Pressure, Unit::InchesOfMercury, "inHg", "inhg", 1.0, 0, 2},
    {Quantity::Pressure, Unit::Hectopascal, "hPa", "hpa", 33.8639, 0, 1},
    {Quantity::Pressure, Unit::MillimetresOfMercury, "mmHg", "mmhg", 25.4, 0, 1},
    {Quantity::Altitude, Unit::Foot, "ft", "ft", 1.0, 0, 0},
    {Quantity::Altitude, Unit::Metre, "m", "m", 0.3048, 0, 0},
    {Quantity::Energy, Unit::FootPound, "ft-lbf", "ftlbf", 1.0, 0, 1},
    {Quantity::Energy, Unit::Joule, "J", "j", 1.3558179, 0, 1},
};

// The unit of `quantity` named `unit`; none when the quantity has no such unit.
inline const UnitInfo* unitInfo(Quantity quantity, Unit unit) {
    for (const UnitInfo& u : UnitTable)
        if (u.quantity == quantity && u.unit == unit) return &u;
    return nullptr;
}

// The unit of `quantity` whose tag is `tag` ("cm"); none when there is none.
inline const UnitInfo* unitByTag(Quantity quantity, std::string_view tag) {
    for (const UnitInfo& u : UnitTable)
        if (u.quantity == quantity && tag == u.tag) return &u;
    return nullptr;
}

// The value of one click of the scope's turrets.
enum class Click { QuarterMoa, EighthMoa, HalfMoa, OneMoa, TenthMil, TwentiethMil, FifthMil };

struct ClickInfo {
    Click click;
    const char* name;  // on the command line and in the settings ("0.1mil")
    const char* label; // in the Units page ("0.1 mil")
    bool mil;          // a fraction of a milliradian, else of a minute of angle
    double size;       // mils or MOA per click
};

inline constexpr ClickInfo ClickTable[] = {
    {Click::QuarterMoa, "0.25moa", "1/4 MOA", false, 0.25},
    {Click::EighthMoa, "0.125moa", "1/8 MOA", false, 0.125},
    {Click::HalfMoa, "0.5moa", "1/2 MOA", false, 0.5},
    {Click::OneMoa, "1moa", "1 MOA", false, 1.0},
    {Click::TenthMil, "0.1mil", "0.1 mil", true, 0.1},
    {Click::TwentiethMil, "0.05mil", "0.05 mil", true, 0.05},
    {Click::FifthMil, "0.2mil", "0.2 mil", true, 0.2},
};

inline const ClickInfo& clickInfo(Click click) {
    for (const ClickInfo& c : ClickTable)
        if (c.click == click) return c;
    return ClickTable[0];
}

inline std::optional<Click> clickByName(std::string_view name) {
    for (const ClickInfo& c : ClickTable)
        if (name == c.name) return c.click;
    return std::nullopt;
}

// The range unit: the load's own (its Yard / Meter option, as saved with it) or one for every
// load.
enum class RangeChoice { LoadOwn, Yards, Metres };

// The shooter's units: one unit per quantity and the click value.
class ShownUnits {
public:
    // Today's units: the files' own, with quarter-MOA clicks.
    static ShownUnits imperial() { return ShownUnits{}; }
    // Metres, m/s, grams, centimetres (millimetres for the sight), m/s winds, degrees C, hPa,
    // metres of altitude, joules and 0.1-mil clicks.
    static ShownUnits metric() {
        ShownUnits u;
        u.range = RangeChoice::Metres;
        u.set(Quantity::Velocity, Unit::MetresPerSecond);
        u.set(Quantity::Weight, Unit::Gram);
        u.set(Quantity::Length, Unit::Centimetre);
        u.set(Quantity::SightHeight, Unit::Millimetre);
        u.set(Quantity::WindSpeed, Unit::MetresPerSecond);
        u.set(Quantity::Temperature, Unit::Celsius);
        u.set(Quantity::Pressure, Unit::Hectopascal);
        u.set(Quantity::Altitude, Unit::Metre);
        u.set(Quantity::Energy, Unit::Joule);
        u.click = Click::TenthMil;
        return u;
    }

    Unit unit(Quantity q) const { return units_[size_t(q)]; }
    // Sets the unit of a quantity; a unit the quantity has not is ignored.
    void set(Quantity q, Unit u) {
        if (unitInfo(q, u)) units_[size_t(q)] = u;
    }
    const UnitInfo& info(Quantity q) const { return *unitInfo(q, unit(q)); }
    const char* symbol(Quantity q) const { return info(q).symbol; }
    // Whether the quantity is shown in the files' unit.
    bool isStored(Quantity q) const { return &info(q) == firstOf(q); }
    // Every quantity in the files' units with quarter-MOA clicks: the classic program.
    bool isImperial() const { return *this == imperial(); }

    // A stored value in the shown unit, and back.
    double shown(Quantity q, double stored) const {
        const UnitInfo& u = info(q);
        return stored * u.scale + u.offset;
    }
    double stored(Quantity q, double shown) const {
        const UnitInfo& u = info(q);
        return (shown - u.offset) / u.scale;
    }
    // A difference of stored values (a spread, a sensitivity per degree) in the shown unit.
    double shownDifference(Quantity q, double stored) const { return stored * info(q).scale; }

    // Clicks of this scope for an angle in minutes of angle. The table's MOA and mil are
    // 1.0473 in and 3.6 in at 100 yd, so a mil click counts the table's mils.
    double clicksForMoa(double moa) const {
        const ClickInfo& c = clickInfo(click);
        return c.mil ? moa * double(MoaInchesAt100) / MilInchesAt100 / c.size : moa / c.size;
    }

    // The range unit a load is shown in: metres or yards, or none for the load's own.
    std::optional<bool> metricRange() const {
        if (range == RangeChoice::LoadOwn) return std::nullopt;
        return range == RangeChoice::Metres;
    }

    // Whether ranges show in metres for a load whose own range unit is metres (`loadMetric`)
    // or yards.
    bool rangeInMetres(bool loadMetric) const {
        return range == RangeChoice::LoadOwn ? loadMetric : range == RangeChoice::Metres;
    }
    // Shown range units per unit of the load's own range unit: 1 when they agree.
    double rangeScale(bool loadMetric) const {
        if (rangeInMetres(loadMetric) == loadMetric) return 1.0;
        return loadMetric ? 1.0 / MetresPerYard : MetresPerYard;
    }

    Click click = Click::QuarterMoa;
    RangeChoice range = RangeChoice::LoadOwn;

    bool operator==(const ShownUnits&) const = default;

private:
    static const UnitInfo* firstOf(Quantity q) {
        for (const UnitInfo& u : UnitTable)
            if (u.quantity == q) return &u;
        return nullptr;
    }

    std::array<Unit, QuantityCount> units_{
        Unit::Yard, Unit::FeetPerSecond, Unit::Grain,      Unit::Inch,
        Unit::Inch, Unit::MilesPerHour,  Unit::Fahrenheit, Unit::InchesOfMercury,
        Unit::Foot, Unit::FootPound};
};

} // namespace Units
