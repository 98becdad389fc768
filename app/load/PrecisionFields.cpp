#include "load/PrecisionFields.h"

#include "services/MNumber.h"

#include <QFileInfo>
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

QString dragTableName(const QString& nameOrPath) {
    if (isStandardDragTable(nameOrPath)) return nameOrPath;
    return QFileInfo(nameOrPath).completeBaseName();
}

namespace {
struct PlausibleBc {
    const char* table;
    double lowest, highest;
};
constexpr PlausibleBc plausibleBcs[] = {{"G7", 0.05, 0.55}, {"G1", 0.05, 1.2}};
} // namespace

QString implausibleBc(const QString& table, double bc) {
    for (const PlausibleBc& p : plausibleBcs) {
        if (table != QLatin1String(p.table) || (bc >= p.lowest && bc <= p.highest)) continue;
        return QStringLiteral("A BC of %1 is unusual on the %2 drag table: %2 coefficients of "
                              "bullets lie between %3 and %4. Is it a coefficient read against "
                              "another table (G1 figures are about twice G7 ones)?")
            .arg(MNumber::shortText(float(bc)), table, MNumber::shortText(float(p.lowest)),
                 MNumber::shortText(float(p.highest)));
    }
    return {};
}

std::optional<double> powderSensitivity(double v1, double t1, double v2, double t2,
                                        QString& problem) {
    if (t1 == t2) {
        problem = QStringLiteral("The two temperatures must differ.");
        return std::nullopt;
    }
    const double sensitivity = (v2 - v1) / (t2 - t1);
    const Field& f = field(Sensitivity);
    if (!(sensitivity >= f.lower && sensitivity <= f.upper)) {
        problem = QStringLiteral("The readings give %1 fps per degree F: ")
                      .arg(MNumber::shortText(MNumber::roundDecimals(float(sensitivity), 2))) +
                  QString::fromUtf8(f.message);
        return std::nullopt;
    }
    return sensitivity;
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
