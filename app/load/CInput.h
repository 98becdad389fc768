// One load: the bullet and the conditions a trajectory is computed for. The field order is the
// record's identity (the comparison reader fills a second record field by field).
#pragma once

#include <QString>
#include <cstdint>

struct CInput {
    float bcMed = 0;       // lower ballistic coefficient
    float bcLow = 0;       // lowest ballistic coefficient
    float vMed = 0;        // ft/s that goes with bcMed
    float vLow = 0;        // ft/s that goes with bcLow
    float bcoef = 0;       // ballistic coefficient
    int16_t ibweight = 0;  // grains
    int16_t imvel = 0;     // muzzle velocity, ft/s
    float sightheight = 0; // inches
    float scopeMag = 0;    // only set by the comparison reader
    QString cart;          // cartridge name
    int16_t ixwvel = 0;    // crosswind, mph
    int16_t ixwangl = 0;   // crosswind angle, degrees
    int16_t imaxyds = 0;   // maximum range, range unit
    int16_t izrange = 0;   // zero range, range unit
    int16_t iydsinc = 0;   // range increment, range unit
    float temp = 0;        // deg F
    float alt = 0;         // ft
    int16_t dragIndex = 0; // drag list position, -1 when none is selected

    bool operator==(const CInput&) const = default;
};
