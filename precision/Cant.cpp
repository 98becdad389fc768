#include "precision/Cant.h"

#include <cmath>

namespace precision {

Launch launchOf(const LaunchGeometry& g) {
    const double slope = g.lineOfSightRad;
    const Vec3 up{-std::sin(slope), std::cos(slope), 0}; // perpendicular to the sight, upward
    if (g.cantRad == 0) {
        const double bore = slope + g.boreElevationRad + g.jumpRad;
        return {g.sightHeightFt * Vec3{std::sin(slope), -std::cos(slope), 0},
                g.speedFps * Vec3{std::cos(bore), std::sin(bore), 0}};
    }
    const Vec3 sight{std::cos(slope), std::sin(slope), 0};
    const Vec3 right{0, 0, 1};
    const Vec3 rifleUp = std::cos(g.cantRad) * up + std::sin(g.cantRad) * right;
    Vec3 direction = std::cos(g.boreElevationRad) * sight + std::sin(g.boreElevationRad) * rifleUp;
    // The jump turns the launch about the level axis across the line of fire.
    const double c = std::cos(g.jumpRad), s = std::sin(g.jumpRad);
    direction = {direction.x * c - direction.y * s, direction.x * s + direction.y * c, direction.z};
    return {(-g.sightHeightFt) * rifleUp, g.speedFps * direction};
}

} // namespace precision
