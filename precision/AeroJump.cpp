#include "precision/AeroJump.h"

namespace precision {

double litzJumpMoa(const JumpInputs& in) {
    if (in.stabilityFactor <= 0 || in.twistIn == 0 || in.lengthCalibres <= 0) return 0;
    const double moaPerMph = 0.01 * in.stabilityFactor - 0.0024 * in.lengthCalibres + 0.032;
    const double hand = in.twistIn > 0 ? 1.0 : -1.0;
    return -hand * moaPerMph * in.crosswindFromLeftMph;
}

} // namespace precision
