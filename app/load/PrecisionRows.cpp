#include "load/PrecisionRows.h"

#include "SolverRecord.h"
#include "load/MPrint.h"
#include "load/ZonesCantJump.h"
#include "services/MNumber.h"
#include "services/UnitText.h"
#include "units/Units.h"

#include <QFileInfo>
#include <cmath>

namespace PrecisionRows {

namespace {

double inputValue(const PrecisionForm& form, int index) {
    return PrecisionFields::value(index, form.fields[size_t(index)]).value_or(0.0);
}

QString number(double value) {
    return MNumber::shortText(static_cast<float>(value));
}

// Two header items on a line, lined up with the classic header's columns.
QString itemPair(const QString& first, const QString& second) {
    return MPrint::padRight(first, 30) + ' ' + second;
}

QString item(const char* label, int width, const QString& value) {
    return MPrint::padRight(QString::fromUtf8(label), width) + QStringLiteral(": ") + value;
}

// Miller's factor with a warning below the stability a bullet needs: under 1.0 it tumbles,
// under 1.3 it may fly poorly in cold dense air.
QString stabilityText(double sg) {
    if (sg <= 0) return QStringLiteral("none");
    // Judged as shown, so "1.30" is never called marginal.
    const float shown = MNumber::roundDecimals(float(sg), 2);
    QString text = MPrint::formatFixed(float(sg), 2);
    if (shown < 1.0f)
        text += QStringLiteral(" unstable");
    else if (shown < 1.3f)
        text += QStringLiteral(" marginal");
    return text;
}

} // namespace

precision::Shot shot(const Inputs& in) {
    using namespace PrecisionFields;
    const CInput& load = *in.load;
    const CInput& c = *in.conditions;
    const PrecisionForm& p = *in.precision;
    const double toYards = in.metric ? Units::YardsPerMetre : 1.0;
    precision::Shot s;
    s.muzzleVelocityFps = in.muzzleVelocity > 0 ? in.muzzleVelocity : double(load.imvel);
    s.weightGrains = load.ibweight;
    s.bc = load.bcoef;
    s.lowerBc = load.bcMed;
    s.lowerVelocityFps = load.vMed;
    s.lowestBc = load.bcLow;
    s.lowestVelocityFps = load.vLow;
    s.sightHeightIn = c.sightheight;
    s.zeroRangeYd = c.izrange * toYards;
    s.windMph = c.ixwvel;
    s.windAngleDeg = c.ixwangl;
    s.temperatureF = c.temp;
    s.altitudeFt = c.alt;
    s.pressureInHg = in.pressure;
    s.seaLevelPressure = p.seaLevelPressure;
    s.humidityPct = in.humidity;
    s.slopeDeg = in.angle;
    s.twistIn = inputValue(p, Twist);
    s.lengthIn = inputValue(p, Length);
    s.diameterIn = inputValue(p, Diameter);
    s.latitudeDeg = value(Latitude, p.fields[Latitude]);
    s.azimuthDeg = inputValue(p, Azimuth);
    s.powderSensitivityFpsPerF = inputValue(p, Sensitivity);
    s.powderTemperatureF = value(PowderTemp, p.fields[PowderTemp]).value_or(59.0);
    ZonesCantJump::applyTo(p, in.metric, s);
    return s;
}

bool compute(const TableRows::Request& q, const precision::Shot& shot,
             const precision::DragCurve& drag, std::vector<TableRow>& rows, QString& problem,
             std::optional<Problem>& failure) {
    using namespace TableColumns;
    rows.clear();
    problem.clear();
    failure.reset();
    const double toYards = q.settings.metric ? Units::YardsPerMetre : 1.0;
    std::vector<double> ranges(size_t(std::max<int16_t>(q.count, 0)));
    for (size_t i = 0; i < ranges.size(); ++i)
        ranges[i] = double(float(i) * q.increment) * toYards;
    const auto points = precision::solve(shot, drag, ranges);
    if (points.empty()) {
        problem = precision::effectiveMuzzleVelocityFps(shot) <= 0
                      ? QStringLiteral("The muzzle velocity, corrected for the powder "
                                       "temperature, is not above 0 ft/s.")
                      : QStringLiteral("The bullet does not reach the zero range with this "
                                       "load.");
        return false;
    }
    const CBallUtil util(CBallUtil::Overflow::Keep); // the caller names a non-finite value's cause
    rows.reserve(points.size());
    bool transonic = false, subsonic = false;
    for (size_t i = 0; i < points.size(); ++i) {
        const precision::TrajectoryPoint& p = points[i];
        const float range = float(i) * q.increment;
        SolverRow row{};
        row.t = float(p.timeS);
        row.V = float(p.velocityFps);
        row.z = float(p.windIn);
        TableRow r = TableRows::rowValues(row, range, float(p.heightIn), q.settings, util);
        r[Spin] = float(p.spinIn);
        r[CoriolisVertical] = float(p.coriolisVerticalIn);
        r[CoriolisHorizontal] = float(p.coriolisHorizontalIn);
        r[Mach] = float(p.mach);
        // The first row below Mach 1.2, and the first below Mach 1.0 (which wins on one row).
        if (!subsonic && p.mach < 1.0) {
            r[SoundBarrier] = SubsonicMark;
            subsonic = transonic = true;
        } else if (!transonic && p.mach < 1.2) {
            r[SoundBarrier] = TransonicMark;
            transonic = true;
        }
        rows.push_back(r);
    }
    return true;
}

QStringList headerLines(const precision::Shot& s, const PrecisionForm& form, bool metric,
                        const Units::ShownUnits& units) {
    using Units::Quantity;
    const bool standard = PrecisionFields::isStandardDragTable(form.dragTable);
    const QString table =
        standard ? form.dragTable + QStringLiteral(" drag table")
                 : QStringLiteral("drag table ") + QFileInfo(form.dragTable).fileName();
    const auto left = [](const char* label, const QString& value) {
        return item(label, 16, value);
    };
    const auto right = [](const char* label, const QString& value) {
        return item(label, 17, value);
    };
    // A value in the files' unit as written before units were a choice, else in the shooter's.
    const auto value = [&units](Quantity q, double v, const QString& storedText,
                                const char* storedUnit) {
        return UnitText::valueText(units, q, v, storedText + ' ' + QString::fromUtf8(storedUnit));
    };
    const double sg = precision::stabilityFactor(s);
    const precision::Atmosphere air = precision::stationAir(s);
    const long densityAltitudeFt = std::lround(precision::densityAltitudeFt(air.densityRatio()));
    QStringList lines;
    lines << left("Model", QStringLiteral("Precision, ") + table);
    // A pressure reduced to sea level says so in its label.
    lines << itemPair(
        left(s.seaLevelPressure ? "Pressure (SL)" : "Pressure",
             value(Quantity::Pressure, s.pressureInHg, number(s.pressureInHg), "inHg")),
        right("Humidity", number(s.humidityPct) + QStringLiteral(" %")));
    lines << itemPair(
        left("Station Press.", value(Quantity::Pressure, air.pressureInHg,
                                     MPrint::formatFixed(float(air.pressureInHg), 2), "inHg")),
        right("Density Altitude", value(Quantity::Altitude, double(densityAltitudeFt),
                                        QString::number(densityAltitudeFt), "ft")));
    lines << itemPair(left("Twist", number(s.twistIn) + QStringLiteral(" in/turn")),
                      right("Stability (Sg)", stabilityText(sg)));
    lines << itemPair(
        left("Bullet Length", value(Quantity::SightHeight, s.lengthIn, number(s.lengthIn), "in")),
        right("Bullet Diameter",
              value(Quantity::SightHeight, s.diameterIn, number(s.diameterIn), "in")));
    lines << itemPair(left("Latitude", s.latitudeDeg
                                           ? number(*s.latitudeDeg) + QStringLiteral(" \u00B0N")
                                           : QStringLiteral("none")),
                      right("Azimuth", number(s.azimuthDeg) + QStringLiteral(" \u00B0")));
    const bool classicPowder =
        units.isStored(Quantity::Velocity) && units.isStored(Quantity::Temperature);
    const double sensitivity =
        units.shownDifference(Quantity::Velocity, s.powderSensitivityFpsPerF) /
        units.shownDifference(Quantity::Temperature, 1.0);
    lines << itemPair(left("Powder Sens.",
                           classicPowder
                               ? number(s.powderSensitivityFpsPerF) + QStringLiteral(" fps/\u00B0F")
                               : number(MNumber::roundDecimals(float(sensitivity), 3)) + ' ' +
                                     UnitText::symbol(units, Quantity::Velocity) + '/' +
                                     UnitText::symbol(units, Quantity::Temperature)),
                      right("MV measured at", value(Quantity::Temperature, s.powderTemperatureF,
                                                    number(s.powderTemperatureF), "\u00B0F")));
    const double usedFps = precision::effectiveMuzzleVelocityFps(s);
    lines << left("MV used", value(Quantity::Velocity, usedFps,
                                   MPrint::formatFixed(float(usedFps), 1), "fps"));
    lines << ZonesCantJump::headerLines(s, metric, units);
    return lines;
}

} // namespace PrecisionRows
