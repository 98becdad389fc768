// Gyroscopic stability and the spin drift it causes.
#pragma once

namespace precision {

struct Bullet {
    double weightGrains = 0;
    double diameterIn = 0;
    double lengthIn = 0;
    double twistIn = 0; // inches per turn; negative for a left-hand twist
};

// Miller's stability factor 30 m / (t^2 d^3 l (1 + l^2)) (m grains, d inches, t twist and l
// length in calibres), corrected by (V / 2800)^(1/3) for the muzzle velocity and by
// ((T + 460) / 519) (29.92 / P) for the air. 0 when twist, length or diameter is 0.
double millerStabilityFactor(const Bullet& bullet, double muzzleVelocityFps, double temperatureF,
                             double pressureInHg);

// Litz's approximation of spin drift, 1.25 (Sg + 1.2) t^1.83 inches after t seconds: to the
// right (positive) for a right-hand twist, to the left for a left-hand one, 0 without spin.
double spinDriftIn(double stabilityFactor, double twistIn, double timeS);

} // namespace precision
