// The units the program works in and every conversion between them, for the solver, the
// precision engine and the program alike. Standard C++ only. Each name says its units
// ("...PerYard", "...Inches..."). Where a table must match the classic program to the last digit,
// the constant that program used is kept, and its single-precision form (suffix F) is derived from
// it; double values serve arithmetic carried out in double precision.
#pragma once

#include <cmath>
#include <numbers>

namespace Units {

// Length.
inline constexpr double MetresPerYard = 0.9144; // exact, by the definition of the yard
inline constexpr double MetresPerFoot = 0.3048;
inline constexpr double MetresPerInch = 0.0254;
inline constexpr double FeetPerMetre = 1.0 / MetresPerFoot;
inline constexpr double InchesPerMetre = 1.0 / MetresPerInch;
// The classic tables' yards per metre (it differs from 1 / 0.9144 in the fifteenth digit).
inline constexpr double YardsPerMetre = 1.09361329833771;
inline constexpr float YardsPerMetreF = float(YardsPerMetre);
inline constexpr float MetresPerYardF = float(MetresPerYard);
inline constexpr float FeetPerYard = 3.0f;
inline constexpr float InchesPerFoot = 12.0f;

// Speed.
inline constexpr double FpsPerMph = 5280.0 / 3600.0;
inline constexpr double MetresPerSecondPerMph = 1609.344 / 3600.0;
// A target moving at 1 mph covers 1.4667 ft, 17.6 in, in one second: the classic lead's
// rounded figure (FpsPerMph is the exact one).
inline constexpr float LeadInchesPerMphSecond = 1.4667f * 12.0f;

// Temperature: degrees Rankine = degrees Fahrenheit + 459.67.
inline constexpr double RankineAtZeroFahrenheit = 459.67;

// Angles.
inline constexpr double RadiansPerDegree = std::numbers::pi / 180.0;
inline constexpr double RadiansPerMoa = RadiansPerDegree / 60.0; // a minute of angle
// The angle one inch subtends depends on the range, so both are given at 100 yards.
inline constexpr float MoaInchesAt100 = 1.0473039f; // 1 MOA at 100 yd
inline constexpr double MilInchesAt100 = 3.6;       // 1 mil at 100 yd (the table's mil)
inline constexpr float MoaPerMil = 3.4377387f;
inline constexpr float ClicksPerMoa = 4.0f; // quarter-MOA clicks

// Minutes of angle that `inches` subtend at `yards` (0 at range 0), single precision as the
// classic tables compute it.
inline float moaForInches(float inches, float yards) {
    if (yards == 0.0f) return 0.0f;
    return (100.0f / yards) * (inches / MoaInchesAt100);
}

// Mils that `inches` subtend at `yards` (0 at range 0).
inline float milsForInches(float inches, float yards) {
    if (yards == 0.0f) return 0.0f;
    return static_cast<float>(static_cast<double>(inches) * 100.0 / MilInchesAt100 /
                              static_cast<double>(yards));
}

// The rifleman's rule for a shot uphill or downhill at `angleDeg`: the path is the level-fire
// path with the cosine of the angle applied either to the range the height is read at (cosine
// range: the height at the horizontal distance) or to the height itself (cosine drop). The other
// factor is 1.
struct CosineRule {
    double rangeFactor = 1.0;
    double heightFactor = 1.0;
};
inline CosineRule cosineRule(double angleDeg, bool cosineDrop) {
    const double cosine = std::cos(angleDeg * RadiansPerDegree);
    return cosineDrop ? CosineRule{1.0, cosine} : CosineRule{cosine, 1.0};
}

// Energy in ft-lbf is V^2 (ft/s) x weight (grains) / 450400, the classic table's constant.
inline constexpr double EnergyDivisor = 450400.0;

// Picture surfaces measure in twips.
inline constexpr float TwipsPerInch = 1440.0f;

} // namespace Units
