// The wind-zone text of a load on arbitrary bytes: zones it accepts keep their limits and come
// back unchanged through the text a save writes; text it refuses gets one short message.
#include "precision/WindZones.h"

#include "FuzzSupport.h"

#include <string_view>

namespace {

constexpr double FarthestEnd = 5000;
constexpr double FastestMph = 25;

void checkZones(const std::vector<precision::WindZone>& zones) {
    if (zones.size() > precision::mostWindZones) fuzz::fail("more than four wind zones accepted");
    double previousEnd = 0;
    for (const precision::WindZone& zone : zones) {
        if (!(zone.endYd > previousEnd && zone.endYd <= FarthestEnd))
            fuzz::fail("a wind zone's end is out of order or out of range");
        if (!(zone.speedMph >= 0 && zone.speedMph <= FastestMph))
            fuzz::fail("a wind zone's speed is out of range");
        if (!(zone.angleDeg >= 0 && zone.angleDeg <= 360))
            fuzz::fail("a wind zone's angle is out of range");
        previousEnd = zone.endYd;
    }
    // What a save writes reads back as the same zones.
    const precision::ZoneParse again =
        precision::parseWindZones(precision::windZonesText(zones), FarthestEnd, FastestMph);
    if (!again.zones || again.zones->size() != zones.size())
        fuzz::fail("saved wind zones do not read back");
    for (std::size_t i = 0; i < zones.size(); ++i) {
        const precision::WindZone &a = zones[i], &b = (*again.zones)[i];
        if (a.endYd != b.endYd || a.speedMph != b.speedMph || a.angleDeg != b.angleDeg)
            fuzz::fail("saved wind zones read back changed");
    }
}

void checkMessage(const std::string& error) {
    if (error.empty()) fuzz::fail("wind zones refused without a word");
    if (error.size() > 200) fuzz::fail("a wind zone message is too long");
    for (const char c : error)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f)
            fuzz::fail("a wind zone message holds a control character");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const precision::ZoneParse parsed = precision::parseWindZones(
        std::string_view(reinterpret_cast<const char*>(data), size), FarthestEnd, FastestMph);
    if (parsed.zones)
        checkZones(*parsed.zones);
    else
        checkMessage(parsed.error);
    return 0;
}
