// Aerodynamic jump: a crosswind at the muzzle tips a spinning bullet's nose, and the bullet's lift
// turns that into a small vertical deflection that holds at every range.
#pragma once

namespace precision {

struct JumpInputs {
    double stabilityFactor = 0; // Miller's Sg at the muzzle; 0: no spin, no jump
    double lengthCalibres = 0;  // bullet length over diameter
    double twistIn = 0;         // negative for a left-hand twist; 0: no jump
    // Crosswind at the muzzle, mph, positive from the left (the wind that drifts the bullet
    // right): speed times the sine of the wind's angle.
    double crosswindFromLeftMph = 0;
};

// Litz's approximation from measured jumps, vertical MOA per mph of crosswind:
// 0.01 Sg - 0.0024 L + 0.032 (L in calibres). With a right-hand twist a wind from the right lifts
// the bullet and one from the left drops it; a left-hand twist turns both round. Up positive.
double litzJumpMoa(const JumpInputs& in);

} // namespace precision
