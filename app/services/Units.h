// Every conversion factor the program uses, in one place. Where the tables must match the
// classic program to the last digit the single-precision constant it used is kept (the float
// values below); double values are for arithmetic carried out in double precision.
#pragma once

namespace Units {

// Length.
constexpr double YardsPerMetre = 1.09361329833771;
constexpr float YardsPerMetreF = 1.0936133f;
constexpr float MetresPerYardF = 0.9144f;
constexpr float FeetPerYard = 3.0f;
constexpr float InchesPerFoot = 12.0f;

// Angles: the angle one inch subtends depends on the range, so both are given at 100 yards.
constexpr float MoaInchesAt100 = 1.0473039f; // 1 MOA at 100 yd
constexpr double MilInchesAt100 = 3.6;       // 1 mil at 100 yd (the table's mil)
constexpr float MilInchesAt100F = 3.6f;
constexpr float MoaPerMil = 3.4377387f;
constexpr float ClicksPerMoa = 4.0f; // quarter-MOA clicks
constexpr double DegreesToRadians = 0.0174532925199433;

// A target moving at 1 mph covers 1.4667 ft, 17.6 in, in one second.
constexpr float LeadInchesPerMphSecond = 1.4667f * 12.0f;

// Energy in ft-lbf is V^2 (ft/s) x weight (grains) / 450400, the classic table's constant.
constexpr double EnergyDivisor = 450400.0;

// Picture surfaces measure in twips.
constexpr float TwipsPerInch = 1440.0f;

} // namespace Units
