#include "load/PrecisionFields.h"

#include "services/MNumber.h"

#include <cmath>

namespace PrecisionFields {

namespace {

constexpr std::array<Field, Count> fields{{
    // caption, header name, lower, upper, least magnitude, 0 allowed, empty allowed, message,
    // unit, new load. Barrels are rifled from about 1:3 to 1:30; a quicker twist would give a
    // bullet no barrel can fire a stability and a spin drift beyond any table.
    {"Twist in/turn", "Twist", -30, 30, 3, true, false,
     "Twist must be between 3 and 30 inches per turn (negative: left-hand, 0: no spin drift).",
     " in/turn", "0"},
    {"Bullet Length", "Bullet Length", 0.1f, 3, 0, true, false,
     "Bullet length must be between 0.1 and 3 inches, or 0 when not known.", " in", "0"},
    {"Bullet Diam.", "Bullet Diameter", 0.1f, 1, 0, true, false,
     "Bullet diameter must be between 0.1 and 1 inch, or 0 when not known.", " in", "0"},
    {"Latitude \u00B0N", "Latitude", -90, 90, 0, false, true,
     "Latitude must be between -90 and 90 degrees (south negative), or empty for no Coriolis.",
     " \u00B0N", ""},
    {"Azimuth \u00B0", "Azimuth", 0, 360, 0, false, false,
     "Azimuth of fire must be between 0 and 360 degrees from north.", " \u00B0", "0"},
    {"Powder fps/\u00B0F", "Powder Sensitivity", 0, 10, 0, false, false,
     "Powder sensitivity must be between 0 and 10 fps per degree F.", " fps/\u00B0F", "0"},
    {"MV Temp \u00B0F", "MV measured at", 0, 120, 0, false, false,
     "The temperature the muzzle velocity was measured at must be between 0 and 120 degrees.",
     " \u00B0F", "59"},
}};

} // namespace

const std::array<Field, Count>& table() {
    return fields;
}

QStringList standardDragTables() {
    return {QStringLiteral("G1"), QStringLiteral("G7"), QStringLiteral("G2"),
            QStringLiteral("G5"), QStringLiteral("G6"), QStringLiteral("G8"),
            QStringLiteral("GI"), QStringLiteral("GS"), QStringLiteral("RA4")};
}

QString defaultDragTable() {
    return QStringLiteral("G7");
}

QString customEntry() {
    return QStringLiteral("Custom\u2026");
}

bool isStandardDragTable(const QString& nameOrPath) {
    return standardDragTables().contains(nameOrPath);
}

std::optional<double> value(int index, const QString& text) {
    if (index < 0 || index >= Count || text.trimmed().isEmpty()) return std::nullopt;
    return MNumber::parse(text);
}

QString check(int index, const QString& text) {
    const Field& f = field(index);
    if (text.trimmed().isEmpty() && f.emptyAllowed) return {};
    const auto number = MNumber::parse(text);
    const auto single = number ? MNumber::toSingle(*number) : std::nullopt;
    if (single) {
        if (f.zeroAllowed && *single == 0.0f) return {};
        if (*single >= f.lower && *single <= f.upper && std::abs(*single) >= f.leastMagnitude)
            return {};
    }
    return QString::fromUtf8(f.message);
}

} // namespace PrecisionFields
