// Where the fast integration anchors its drag polynomials: one anchor per block of steps, made a
// block ahead so that its power function overlaps the stages in between, and blocks as long as
// the polynomial reaches at the pace q changes.
#pragma once

#include "DragExpansion.h"

#include <cstddef>
#include <cstdint>

namespace trajcore {

class AnchorSchedule {
public:
    AnchorSchedule(const DragModel& model, float coef) : model(model), coef(coef) {}

    // Starts a block of steps at squared airspeed q; returns its length.
    int32_t beginBlock(double q);

    // The expansion serving the block; in an exact block it may cover nothing.
    const DragExpansion& current() const { return now; }

    // True when q changes too fast for the polynomial to reach even one step: the block's
    // stages go the exact way and make no anchors.
    bool exactBlock() const { return exact; }

    // An anchor of its own for a stage outside the current one's reach (a zone crossed).
    void reanchor(double q) { now = DragExpansion::around(model, coef, q, zoneHint); }

    // A new coefficient in use: the polynomials made for the old one are dropped.
    void restart(float coefficient);

private:
    static constexpr int32_t kLongestBlock = 16; // beyond this, anchors cost too little to matter
    static constexpr int32_t kFirstBlock = 2;    // while the pace of q is not known

    const DragModel& model;
    float coef;
    DragExpansion now, next;
    std::size_t zoneHint = 0;
    double previousQ = 0;             // q at the last block start
    int32_t previousLength = 0;       // that block's length; 0 when there was none
    int32_t nextLength = kFirstBlock; // the length of the block `next` serves
    bool nextFits = true;             // whether the polynomial reaches across that block
    bool exact = false;
};

} // namespace trajcore
