#include "AnchorSchedule.h"

#include <cmath>

namespace trajcore {

// The anchor prepared at the last block start serves this block, or, when it does not reach q
// (the first block, after a zone or band change), one centred here. The next anchor goes
// halfway through the next block, extrapolating the change of q over the last block, and that
// block is made as long as the polynomial reaches, at that pace, to both its ends with room to
// spare for the extrapolation.
int32_t AnchorSchedule::beginBlock(double q) {
    const int32_t length = nextLength;
    exact = !nextFits;
    if (next.covers(q)) {
        now = next;
    } else if (!exact && !now.covers(q)) {
        reanchor(q);
    }
    double ahead = q;
    if (previousLength > 0) {
        const double perStep = (q - previousQ) / previousLength;
        const double reach = DragExpansion::kReach * q / 2;
        nextLength = kLongestBlock;
        while (nextLength > 1 && !(std::abs(perStep) * (nextLength / 2 + 1) <= reach))
            nextLength /= 2;
        nextFits = std::abs(perStep) * (nextLength / 2 + 1) <= reach;
        ahead = q + perStep * (length + nextLength / 2.0);
    }
    if (nextFits) {
        next = DragExpansion::around(model, coef, ahead, zoneHint);
    } else {
        next = DragExpansion();
        nextLength = kLongestBlock;
    }
    previousQ = q;
    previousLength = length;
    return length;
}

void AnchorSchedule::restart(float coefficient) {
    coef = coefficient;
    now = next = DragExpansion();
    previousLength = 0;
    nextLength = kFirstBlock;
    nextFits = true;
}

} // namespace trajcore
