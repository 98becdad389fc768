// An accepted range for a typed number (both bounds inclusive, compared in single precision)
// and the message that tells the user about it.
#pragma once

struct InputLimit {
    float lower;
    float upper;
    const char* message; // also the box's tooltip
};
