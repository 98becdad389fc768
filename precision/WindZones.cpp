#include "precision/WindZones.h"

#include "units/Units.h"

#include <charconv>
#include <cmath>
#include <sstream>

namespace precision {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

// The numbers of one zone, separated by blanks; none when a word is not a finite number.
std::optional<std::vector<double>> numbersOf(std::string_view zone) {
    std::vector<double> numbers;
    while (!(zone = trimmed(zone)).empty()) {
        const auto end = std::min(zone.find_first_of(" \t"), zone.size());
        const std::string_view word = zone.substr(0, end);
        double value = 0;
        const auto [ptr, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (ec != std::errc() || ptr != word.data() + word.size() || !std::isfinite(value))
            return std::nullopt;
        numbers.push_back(value);
        zone.remove_prefix(end);
    }
    return numbers;
}

std::string shortest(double value) {
    char buffer[32];
    const auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? std::string(buffer, ptr) : std::string("0");
}

} // namespace

Vec3 windVelocityFps(double speedMph, double fromDeg) {
    const double speedFps = speedMph * Units::FpsPerMph;
    const double from = fromDeg * Units::RadiansPerDegree;
    return {speedFps * std::cos(from), 0, speedFps * std::sin(from)};
}

std::vector<ZoneWind> zoneWinds(std::span<const WindZone> zones) {
    std::vector<ZoneWind> winds;
    winds.reserve(zones.size());
    for (const WindZone& z : zones)
        winds.push_back(
            {z.endYd * double(Units::FeetPerYard), windVelocityFps(z.speedMph, z.angleDeg)});
    return winds;
}

const Vec3& windAt(std::span<const ZoneWind> zones, double rangeFt) {
    for (const ZoneWind& zone : zones)
        if (rangeFt <= zone.endFt) return zone.windFps;
    return zones.back().windFps;
}

ZoneParse parseWindZones(std::string_view text, double maxEnd, double maxSpeedMph) {
    ZoneParse result;
    std::vector<WindZone> zones;
    if (trimmed(text).empty()) {
        result.zones = zones;
        return result;
    }
    int number = 0;
    while (true) {
        ++number;
        const auto cut = text.find(';');
        const std::string_view part = text.substr(0, cut);
        const std::string which = "Wind zone " + std::to_string(number);
        const auto values = numbersOf(part);
        if (!values || values->size() != 3) {
            result.error = which + " needs three numbers: its end range, speed (mph) and angle "
                                   "(degrees).";
            return result;
        }
        const WindZone zone{(*values)[0], (*values)[1], (*values)[2]};
        const double previousEnd = zones.empty() ? 0.0 : zones.back().endYd;
        if (!(zone.endYd > previousEnd) || zone.endYd > maxEnd) {
            result.error = which + ": its end range must be beyond " + shortest(previousEnd) +
                           " and at most " + shortest(maxEnd) + ".";
            return result;
        }
        if (zone.speedMph < 0 || zone.speedMph > maxSpeedMph) {
            result.error =
                which + ": its speed must be between 0 and " + shortest(maxSpeedMph) + " mph.";
            return result;
        }
        if (zone.angleDeg < 0 || zone.angleDeg > 360) {
            result.error = which + ": its angle must be 0 to 360 degrees.";
            return result;
        }
        zones.push_back(zone);
        if (zones.size() > mostWindZones) {
            result.error = "At most four wind zones.";
            return result;
        }
        if (cut == std::string_view::npos) break;
        text.remove_prefix(cut + 1);
        if (trimmed(text).empty()) break; // a trailing ';'
    }
    result.zones = std::move(zones);
    return result;
}

std::string windZonesText(std::span<const WindZone> zones) {
    std::string text;
    for (const WindZone& z : zones) {
        if (!text.empty()) text += "; ";
        text += shortest(z.endYd) + ' ' + shortest(z.speedMph) + ' ' + shortest(z.angleDeg);
    }
    return text;
}

} // namespace precision
