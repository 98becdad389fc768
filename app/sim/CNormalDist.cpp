#include "sim/CNormalDist.h"

#include <chrono>
#include <cmath>

namespace {

constexpr uint32_t Mask24 = 0xFFFFFF;

// Nanoseconds since midnight (UTC is as good as local time for seeding).
uint64_t timeOfDay() {
    using namespace std::chrono;
    const auto now = duration_cast<nanoseconds>(system_clock::now().time_since_epoch()).count();
    return static_cast<uint64_t>(now) % (86400ULL * 1000000000ULL);
}

// Spreads every bit of the clock over the 24 bits of state.
uint32_t scramble(uint64_t x) {
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<uint32_t>(x) & Mask24;
}

} // namespace

CNormalDist::CNormalDist() : state(0x50000), clock(timeOfDay) {}

float CNormalDist::uniform() {
    // The classic 24-bit generator: full period over 2^24 states.
    state = (state * 0x43FD43FDu + 0xC39EC3u) & Mask24;
    return static_cast<float>(state) / 16777216.0f;
}

void CNormalDist::reseed() {
    state = (state ^ scramble(clock())) & Mask24;
}

void CNormalDist::seed(uint32_t s) {
    state = s & Mask24;
}

void CNormalDist::setClock(std::function<uint64_t()> c) {
    clock = c ? std::move(c) : std::function<uint64_t()>(timeOfDay);
}

float CNormalDist::rndNormal(float mean, float variance) {
    float u1 = 0;
    float s = 0;
    do {
        reseed();
        const float r1 = uniform();
        const float r2 = uniform();
        u1 = 2.0f * r1 - 1.0f;
        const float u2 = 2.0f * r2 - 1.0f;
        s = u1 * u1 + u2 * u2;
    } while (!(s > 0.0f && s < 1.0f));
    // Only the first of the pair of deviates is used.
    const double z = u1 * std::sqrt(-2.0 * std::log(static_cast<double>(s)) / s);
    if (!(variance > 0.0f)) return mean;
    return static_cast<float>(mean + std::sqrt(static_cast<double>(variance)) * z);
}
