#include "precision/BcBands.h"

namespace precision {

namespace {
constexpr double smallestUsableBc = 0.001;
}

BcBands::BcBands(double bc, double lowerBc, double lowerVelocityFps, double lowestBc,
                 double lowestVelocityFps)
    : current_(bc), lowerBc_(lowerBc), lowerVelocityFps_(lowerVelocityFps), lowestBc_(lowestBc),
      lowestVelocityFps_(lowestVelocityFps) {}

int BcBands::bandAt(double speedFps) const {
    int band = band_;
    if (speedFps <= lowerVelocityFps_ && speedFps > lowestVelocityFps_ &&
        lowerBc_ > smallestUsableBc && band < 1)
        band = 1;
    if (speedFps <= lowestVelocityFps_ && lowestBc_ > smallestUsableBc) band = 2;
    return band;
}

bool BcBands::pass(double speedFps) {
    const int band = bandAt(speedFps);
    if (band == band_) return false;
    band_ = band;
    current_ = band == 1 ? lowerBc_ : lowestBc_;
    return true;
}

} // namespace precision
