// Random numbers for the shot scatter: a 24-bit linear congruential generator giving uniform
// single-precision numbers in [0, 1), stirred with the time of day before every attempt, and
// normally distributed numbers from it by the polar method.
#pragma once

#include <cstdint>
#include <functional>

class CNormalDist {
public:
    CNormalDist();

    // One normally distributed number; a variance of 0 (or less) returns the mean.
    float rndNormal(float mean, float variance);

    // A uniform number in [0, 1), a multiple of 2^-24 (the firing code's `random` uses it).
    float uniform();

    // Mixes the time of day into the generator's state. Mixing rather than replacing keeps the
    // draws moving on when the clock has not ticked since the last call.
    void reseed();

    // Test hooks: a fixed starting state and a fixed clock make every draw repeatable.
    void seed(uint32_t state);
    void setClock(std::function<uint64_t()> clock);

private:
    uint32_t state = 0;
    std::function<uint64_t()> clock;
};
