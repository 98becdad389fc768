#include "load/PrecisionUnits.h"

#include "load/PrecisionFields.h"
#include "load/ZonesCantJump.h"
#include "precision/WindZones.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QLocale>
#include <QStringList>
#include <cmath>
#include <optional>

namespace PrecisionUnits {

namespace {

using InputUnits::FieldUnits;
using Units::Quantity;
using namespace PrecisionFields;

// Calipers read bullets to a hundredth of a millimetre.
constexpr int BulletDecimals = 2;
constexpr int SensitivityDecimals = 2;

bool sensitivityConverted(const FieldUnits& u) {
    return !u.units.isStored(Quantity::Velocity) || !u.units.isStored(Quantity::Temperature);
}

// Shown units per stored unit of a box, for the boxes a scale converts.
double scaleOf(const FieldUnits& u, int index) {
    if (index == Sensitivity)
        return u.units.info(Quantity::Velocity).scale / u.units.info(Quantity::Temperature).scale;
    return u.units.info(Quantity::SightHeight).scale;
}

double shownValue(const FieldUnits& u, int index, double stored) {
    if (index == PowderTemp) return u.units.shown(Quantity::Temperature, stored);
    return stored * scaleOf(u, index);
}

double storedValue(const FieldUnits& u, int index, double shown) {
    if (index == PowderTemp) return u.units.stored(Quantity::Temperature, shown);
    return shown / scaleOf(u, index);
}

int decimalsOf(const FieldUnits& u, int index) {
    if (index == PowderTemp) return u.units.info(Quantity::Temperature).decimals;
    return index == Sensitivity ? SensitivityDecimals : BulletDecimals;
}

QString boundText(const FieldUnits& u, int index, float stored, bool lower) {
    return UnitText::boundText(shownValue(u, index, double(stored)), decimalsOf(u, index), lower);
}

QString temperatureLetter(const FieldUnits& u) {
    return u.units.unit(Quantity::Temperature) == Units::Unit::Celsius ? QStringLiteral("C")
                                                                       : QStringLiteral("F");
}

double rangeScale(const FieldUnits& u) {
    return u.units.rangeScale(u.loadMetric);
}

// One zone's cells converted by `convert(column, value)`; cells that are no number stay.
template <class Convert> QString eachZoneCell(const QString& text, Convert convert) {
    QStringList zones;
    for (const QString& zone : text.split(';', Qt::SkipEmptyParts)) {
        QStringList cells = zone.simplified().split(' ', Qt::SkipEmptyParts);
        for (int c = 0; c < cells.size() && c < 2; ++c)
            if (const std::optional<double> value = MNumber::parse(cells[c]))
                cells[c] = convert(c, *value);
        zones << cells.join(' ');
    }
    return zones.join(QStringLiteral("; "));
}

bool zonesConverted(const FieldUnits& u) {
    return rangeScale(u) != 1.0 || !u.units.isStored(Quantity::WindSpeed);
}

QString rangeSymbol(const FieldUnits& u) {
    return u.units.rangeInMetres(u.loadMetric) ? QStringLiteral("m") : QStringLiteral("yd");
}

} // namespace

bool converted(const FieldUnits& u, int index) {
    switch (index) {
    case Length:
    case Diameter:
        return !u.units.isStored(Quantity::SightHeight);
    case Sensitivity:
        return sensitivityConverted(u);
    case PowderTemp:
        return !u.units.isStored(Quantity::Temperature);
    default:
        return false;
    }
}

QString shownText(const FieldUnits& u, int index, const QString& stored) {
    if (!PrecisionUnits::converted(u, index)) return stored;
    const std::optional<double> value = MNumber::parse(stored);
    if (!value) return stored;
    QString text = UnitText::decimalText(shownValue(u, index, *value), decimalsOf(u, index));
    return text.replace('.', QLocale().decimalPoint());
}

QString storedText(const FieldUnits& u, int index, const QString& shown) {
    if (!PrecisionUnits::converted(u, index)) return shown;
    const std::optional<double> value = MNumber::parse(shown);
    if (!value) return shown;
    const double stored = storedValue(u, index, *value);
    if (!std::isfinite(stored)) return shown;
    return MNumber::fieldText(float(stored), false);
}

QString caption(const FieldUnits& u, int index) {
    const QString classic = QString::fromUtf8(field(index).caption);
    if (!PrecisionUnits::converted(u, index)) return classic;
    switch (index) {
    case Sensitivity:
        return QStringLiteral("Powder ") + UnitText::symbol(u.units, Quantity::Velocity) + '/' +
               UnitText::symbol(u.units, Quantity::Temperature);
    case PowderTemp:
        return QStringLiteral("MV Temp ") + UnitText::symbol(u.units, Quantity::Temperature);
    default:
        return UnitText::caption(classic, u.units, Quantity::SightHeight);
    }
}

QString message(const FieldUnits& u, int index) {
    const Field& f = field(index);
    if (!PrecisionUnits::converted(u, index)) return QString::fromUtf8(f.message);
    const QString low = boundText(u, index, f.lower, true);
    const QString high = boundText(u, index, f.upper, false);
    switch (index) {
    case Length:
    case Diameter:
        return QStringLiteral("Bullet %1 must be between %2 and %3 %4, or 0 when not known.")
            .arg(index == Length ? QStringLiteral("length") : QStringLiteral("diameter"), low, high,
                 UnitText::symbol(u.units, Quantity::SightHeight));
    case Sensitivity:
        return QStringLiteral("Powder sensitivity must be between %1 and %2 %3 per degree %4.")
            .arg(low, high, UnitText::symbol(u.units, Quantity::Velocity), temperatureLetter(u));
    default:
        return QStringLiteral("The temperature the muzzle velocity was measured at must be "
                              "between %1 and %2 degrees %3.")
            .arg(low, high, temperatureLetter(u));
    }
}

QString shownZones(const FieldUnits& u, const QString& stored) {
    if (!zonesConverted(u)) return stored;
    return eachZoneCell(stored, [&u](int column, double value) {
        const double shown =
            column == 0 ? value * rangeScale(u) : u.units.shown(Quantity::WindSpeed, value);
        const int decimals = column == 0 ? 1 : u.units.info(Quantity::WindSpeed).decimals;
        return UnitText::decimalText(shown, decimals);
    });
}

QString storedZones(const FieldUnits& u, const QString& shown) {
    if (!zonesConverted(u)) return shown;
    return eachZoneCell(shown, [&u](int column, double value) {
        const double stored =
            column == 0 ? value / rangeScale(u) : u.units.stored(Quantity::WindSpeed, value);
        return MNumber::fieldText(float(stored), false);
    });
}

QString zonesProblem(const FieldUnits& u, const QString& shown) {
    if (!zonesConverted(u)) return ZonesCantJump::zonesProblem(shown);
    // Read as shown, against the bounds in the shown units, so the message names them.
    // The bounds rounded down, so that a message names short numbers ("11.176 m/s").
    const double farthest =
        std::floor(ZonesCantJump::FarthestZoneEnd * rangeScale(u) * 10 + 1e-6) / 10;
    const double fastest =
        std::floor(u.units.shown(Quantity::WindSpeed, ZonesCantJump::FastestZoneMph) * 1000 +
                   1e-6) /
        1000;
    const precision::ZoneParse zones =
        precision::parseWindZones(shown.toStdString(), farthest, fastest);
    if (zones.zones) return {};
    QString text = QString::fromStdString(zones.error);
    const QString unit = UnitText::symbol(u.units, Quantity::WindSpeed);
    text.replace(QStringLiteral("(mph)"), '(' + unit + ')');
    text.replace(QStringLiteral(" mph."), ' ' + unit + '.');
    return text;
}

QStringList zoneHeaders(const FieldUnits& u) {
    return {QStringLiteral("Ends at (") + rangeSymbol(u) + ')',
            UnitText::caption(QStringLiteral("Speed"), u.units, Quantity::WindSpeed),
            QStringLiteral("Angle (\u00B0)")};
}

} // namespace PrecisionUnits
