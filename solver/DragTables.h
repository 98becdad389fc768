// Drag models as piecewise power laws. Each model is a table of speed zones, highest first; within
// a zone the standard projectile's retardation is A * v^M. The tables are plain data and one
// routine evaluates all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace trajcore {

struct DragZone {
    double bound; // lower speed bound of the zone, in the table's speed unit (exclusive)
    double m;     // exponent
    double a;     // coefficient
};

struct DragModel {
    const char* name;
    std::span<const DragZone> zones; // highest bound first; the last zone is unbounded below
    double speedFactor;              // m/s -> the table's speed unit
    double resultFactor;             // the table's retardation unit -> m/s^2
};

// The model a solver drag code selects; unknown codes select G1 in its metric form.
const DragModel& dragModel(int16_t code) noexcept;

// The zone that applies at speed v given in the table's own unit: the first zone from the top
// whose bound v exceeds strictly, so a speed exactly on a bound belongs to the zone below it.
inline const DragZone& zoneAt(const DragModel& model, double v) noexcept {
    const std::size_t last = model.zones.size() - 1;
    std::size_t i = 0;
    while (i < last && v <= model.zones[i].bound)
        ++i;
    return model.zones[i];
}

// Retardation of the model's standard projectile at airspeed speedMs (m/s), in m/s^2.
double retardation(const DragModel& model, double speedMs) noexcept;

inline double dragRetardation(int16_t code, double speedMs) noexcept {
    return retardation(dragModel(code), speedMs);
}

} // namespace trajcore
