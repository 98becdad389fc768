#include "precision/Stability.h"

#include <algorithm>
#include <cmath>

namespace precision {

double millerStabilityFactor(const Bullet& bullet, double muzzleVelocityFps, double temperatureF,
                             double pressureInHg) {
    const double d = bullet.diameterIn;
    if (bullet.twistIn == 0 || bullet.lengthIn <= 0 || d <= 0 || bullet.weightGrains <= 0) return 0;
    const double twistCalibres = std::abs(bullet.twistIn) / d;
    const double lengthCalibres = bullet.lengthIn / d;
    const double sg = 30.0 * bullet.weightGrains /
                      (twistCalibres * twistCalibres * d * d * d * lengthCalibres *
                       (1.0 + lengthCalibres * lengthCalibres));
    const double velocityCorrection = std::cbrt(std::max(muzzleVelocityFps, 0.0) / 2800.0);
    const double airCorrection = (temperatureF + 460.0) / 519.0 * (29.92 / pressureInHg);
    return sg * velocityCorrection * airCorrection;
}

double spinDriftIn(double stabilityFactor, double twistIn, double timeS) {
    if (stabilityFactor <= 0 || twistIn == 0 || timeS <= 0) return 0;
    const double drift = 1.25 * (stabilityFactor + 1.2) * std::pow(timeS, 1.83);
    return twistIn > 0 ? drift : -drift;
}

} // namespace precision
