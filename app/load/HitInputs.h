// What a shooter knows of his errors, for the hit probability: the target, the rifle's group and
// the spreads of velocity, BC, range and wind call. Defaults a shooter recognises.
#pragma once

struct HitInputs {
    double targetWidthIn = 10;   // rectangle width
    double targetHeightIn = 10;  // rectangle height
    double circleDiameterIn = 0; // > 0: a round target of this diameter instead
    double groupMoa = 1;         // extreme spread of a 5-shot group (rifle and shooter)
    double velocitySdFps = 10;   // muzzle-velocity standard deviation
    double bcSdPct = 2;          // BC standard deviation, % of the BC
    double rangeSd = 0;          // range-estimation standard deviation, range unit (laser: 0)
    double windSdMph = 2;        // wind-call standard deviation, full-value crosswind

    bool circle() const { return circleDiameterIn > 0; }

    bool operator==(const HitInputs&) const = default;
};
