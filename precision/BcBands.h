// The ballistic coefficient in use along one flight, by velocity band.
#pragma once

namespace precision {

class BcBands {
public:
    // Coefficients in lb/in^2; a band coefficient of 0.001 or less leaves its band unused.
    BcBands(double bc, double lowerBc, double lowerVelocityFps, double lowestBc,
            double lowestVelocityFps);

    double current() const { return current_; }

    // Moves into the band of `speedFps` (speed over ground): the lower coefficient at or below
    // lowerVelocityFps while above lowestVelocityFps, the lowest one at or below
    // lowestVelocityFps. Never returns to a higher band. Returns whether the coefficient changed.
    bool pass(double speedFps);

    // Whether pass(speedFps) would change the coefficient.
    bool changesAt(double speedFps) const { return bandAt(speedFps) != band_; }

private:
    int bandAt(double speedFps) const;

    double current_;
    double lowerBc_, lowerVelocityFps_, lowestBc_, lowestVelocityFps_;
    int band_ = 0; // 0 the main coefficient, 1 the lower band, 2 the lowest
};

} // namespace precision
