#include "load/ZonesCantJump.h"

#include "load/MPrint.h"
#include "precision/Precision.h"
#include "precision/WindZones.h"
#include "services/MNumber.h"
#include "services/UnitText.h"
#include "units/Units.h"

namespace ZonesCantJump {

namespace {

// One MOA at 100 yards, inches.
constexpr double InchesPerMoaAt100Yd = 1.0471976;

precision::ZoneParse parsed(const QString& text) {
    return precision::parseWindZones(text.toStdString(), FarthestZoneEnd, FastestZoneMph);
}

QString number(double value) {
    return MNumber::shortText(static_cast<float>(value));
}

} // namespace

QString cantProblem(const QString& text) {
    const auto value = MNumber::parse(text);
    if (!value || !(*value >= -LargestCantDeg && *value <= LargestCantDeg))
        return QStringLiteral("Cant must be between -45 and 45 degrees.");
    return {};
}

QString zonesProblem(const QString& text) {
    const precision::ZoneParse zones = parsed(text);
    return zones.zones ? QString() : QString::fromStdString(zones.error);
}

QString problem(const PrecisionForm& form) {
    if (QString p = cantProblem(form.cantDeg); !p.isEmpty()) return QStringLiteral("Cant: ") + p;
    if (QString p = zonesProblem(form.windZones); !p.isEmpty())
        return QStringLiteral("Wind Zones: ") + p;
    return {};
}

void applyTo(const PrecisionForm& form, bool metric, precision::Shot& shot) {
    if (cantProblem(form.cantDeg).isEmpty()) shot.cantDeg = MNumber::parse(form.cantDeg).value();
    shot.aerodynamicJump = form.aerodynamicJump;
    precision::ZoneParse zones = parsed(form.windZones);
    if (!zones.zones) return;
    const double toYards = metric ? Units::YardsPerMetre : 1.0;
    for (precision::WindZone& zone : *zones.zones)
        zone.endYd *= toYards;
    shot.windZones = std::move(*zones.zones);
}

QStringList headerLines(const precision::Shot& shot, bool metric, const Units::ShownUnits& units) {
    QStringList lines;
    if (!shot.windZones.empty()) {
        const double fromYards = metric ? 1.0 / Units::YardsPerMetre : 1.0;
        const QString unit = metric ? QStringLiteral(" m") : QStringLiteral(" yd");
        QStringList zones;
        double from = 0;
        for (const precision::WindZone& z : shot.windZones) {
            const double to = z.endYd * fromYards;
            zones << number(MNumber::roundDecimals(float(from), 1)) + '-' +
                         number(MNumber::roundDecimals(float(to), 1)) + unit + ' ' +
                         UnitText::valueText(units, Units::Quantity::WindSpeed, z.speedMph,
                                             number(z.speedMph) + QStringLiteral(" mph")) +
                         QStringLiteral(" at ") + number(z.angleDeg) + QStringLiteral("\u00B0");
            from = to;
        }
        lines << MPrint::padRight(QStringLiteral("Wind Zones"), 16) + QStringLiteral(": ") +
                     zones.join(QStringLiteral("; ")) + QStringLiteral(" (last one beyond)");
    }
    if (shot.cantDeg != 0)
        lines << MPrint::padRight(QStringLiteral("Cant"), 16) + QStringLiteral(": ") +
                     number(shot.cantDeg) + QStringLiteral("\u00B0 clockwise");
    if (shot.aerodynamicJump) {
        const double moa = precision::aerodynamicJumpMoa(shot);
        lines << MPrint::padRight(QStringLiteral("Aero Jump"), 16) + QStringLiteral(": ") +
                     MPrint::formatFixed(float(moa), 2) + QStringLiteral(" MOA, ") +
                     MPrint::formatFixed(float(moa * InchesPerMoaAt100Yd), 2) +
                     QStringLiteral(" in at 100 yd");
    }
    return lines;
}

} // namespace ZonesCantJump
