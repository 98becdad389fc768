#include "load/TrueDrag.h"

#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "load/LoadSnapshot.h"
#include "load/MPrint.h"
#include "load/PrecisionRows.h"
#include "services/MNumber.h"
#include "services/UnitText.h"
#include "units/Units.h"

#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <charconv>
#include <cmath>

namespace TrueDrag {

namespace {

QString fixed(double value, int decimals) {
    return MPrint::formatFixed(float(value), decimals);
}

QString column(const QString& text, int width) {
    return text.rightJustified(width);
}

// Shortest text that reads back as the same double.
QByteArray shortest(double value) {
    char buffer[32];
    const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
    return ec == std::errc() ? QByteArray(buffer, int(end - buffer)) : QByteArray("0");
}

QByteArray curveCsv(const precision::DragCurve& curve, const precision::DragTruth& truth) {
    QByteArray text = "# Trued drag: scale " + shortest(truth.supersonicScale) +
                      " from Mach 1.2 up, " + shortest(truth.subsonicScale) + " below\n";
    text += "mach,cd\n";
    for (std::size_t i = 0; i < curve.mach.size(); ++i)
        text += shortest(curve.mach[i]) + ',' + shortest(curve.cd[i]) + '\n';
    return text;
}

} // namespace

Result trueDrag(const LoadSnapshot& snapshot, const std::vector<Observation>& observations) {
    Result result;
    result.observations = observations;
    result.metric = snapshot.form.isMetric();
    result.dragTable = snapshot.form.precision.dragTable;
    result.loadBc = MNumber::parse(snapshot.form.fields[InputFields::Bc]).value_or(0.0);
    if (!snapshot.form.isPrecision()) {
        result.problem = QStringLiteral("Truing the drag needs the precision model: turn it on "
                                        "for this load first.");
        return result;
    }
    if (observations.empty() || int(observations.size()) > MostObservations) {
        result.problem = QStringLiteral("Give one to eight observations.");
        return result;
    }
    if (QString problem = snapshot.loadProblem(); !problem.isEmpty()) {
        result.problem = problem;
        return result;
    }
    const DragTables::Loaded table = DragTables::load(snapshot.form.precision);
    if (!table.curve) {
        result.problem = table.problem;
        return result;
    }
    // The load record's whole-number velocity, as the truing of the velocity also starts from.
    const PrecisionRows::Inputs in = snapshot.precisionInputs(
        snapshot.values.in1, snapshot.values.in1, snapshot.form.precision, 0.0);
    const double toYards = result.metric ? Units::YardsPerMetre : 1.0;
    std::vector<precision::Observation> seen;
    result.allNear = true;
    for (const Observation& o : observations) {
        seen.push_back({o.range * toYards, o.heightIn});
        result.allNear = result.allNear && o.range * toYards < NearestTellingRangeYd;
    }
    result.truth = precision::trueDrag(PrecisionRows::shot(in), *table.curve, seen);
    result.problem = QString::fromStdString(result.truth.problem);
    if (result.ok()) result.truedBc = result.loadBc / result.truth.supersonicScale;
    return result;
}

QString nearRangeText(const Units::ShownUnits& units, bool loadMetric) {
    if (units.isImperial() || !units.rangeInMetres(loadMetric)) return QStringLiteral("600 yd");
    return QString::number(std::lround(NearestTellingRangeYd * Units::MetresPerYard)) +
           QStringLiteral(" m");
}

QString nearWarning(const Units::ShownUnits& units, bool loadMetric) {
    return QStringLiteral("All observations are inside %1: there the muzzle velocity decides "
                          "the heights far more than the drag does. True the muzzle velocity "
                          "with them, and the drag with observations farther out.")
        .arg(nearRangeText(units, loadMetric));
}

QString fitText(const Result& r, const Units::ShownUnits& units) {
    const bool metres = units.rangeInMetres(r.metric);
    const double rangeScale = units.rangeScale(r.metric);
    const QString unit = metres ? QStringLiteral("(m)") : QStringLiteral("(yd)");
    const Units::Quantity length = Units::Quantity::Length;
    const QString heightUnit = QStringLiteral(" (") + UnitText::symbol(units, length) + ')';
    const auto height = [&](double inches) { return fixed(units.shown(length, inches), 2); };
    QString text = QStringLiteral("Drag table: ") +
                   (r.dragTable.contains('/') ? QFileInfo(r.dragTable).fileName() : r.dragTable) +
                   '\n';
    text += column(QStringLiteral("Range ") + unit, 11) + column(QStringLiteral("Mach"), 7) +
            column(QStringLiteral("Observed") + heightUnit, 15) +
            column(QStringLiteral("Untrued") + heightUnit, 14) +
            column(QStringLiteral("Trued") + heightUnit, 12) + '\n';
    const auto& t = r.truth;
    for (std::size_t i = 0; i < r.observations.size() && i < t.truedHeightIn.size(); ++i) {
        const double range = r.observations[i].range * rangeScale;
        text += column(rangeScale == 1.0 ? MNumber::shortText(float(range))
                                         : UnitText::decimalText(range, 1),
                       11) +
                column(fixed(t.mach[i], 2), 7) + column(height(r.observations[i].heightIn), 15) +
                column(height(t.untruedHeightIn[i]), 14) + column(height(t.truedHeightIn[i]), 12) +
                '\n';
    }
    if (t.twoBands) {
        text +=
            QStringLiteral("Drag scale from Mach 1.2 up: ") + fixed(t.supersonicScale, 4) + '\n';
        text += QStringLiteral("Drag scale below Mach 1.2: ") + fixed(t.subsonicScale, 4) + '\n';
        text +=
            QStringLiteral("Kept as a drag file beside the load, selected as its drag table.\n");
    } else {
        text += QStringLiteral("Drag scale: ") + fixed(t.supersonicScale, 4) + '\n';
        text += QStringLiteral("Load BC: ") + MNumber::shortText(float(r.loadBc)) + '\n';
        text += QStringLiteral("Trued BC: ") + fixed(r.truedBc, 4) + '\n';
    }
    return text;
}

QString bandFilePath(const QString& loadPath, const QString& fallbackFolder) {
    if (loadPath.isEmpty()) return fallbackFolder + QStringLiteral("/trued-drag.csv");
    const QFileInfo info(loadPath);
    return info.absolutePath() + '/' + info.completeBaseName() + QStringLiteral("-trued.csv");
}

QString apply(const Result& r, LoadModel& model, const QString& bandFile,
              QList<Problem>& fieldProblems) {
    if (!r.ok()) return r.problem;
    if (!r.truth.twoBands) {
        fieldProblems += model.setFieldText(
            InputFields::Bc, MNumber::shortText(MNumber::roundDecimals(float(r.truedBc), 4)));
        return {};
    }
    const DragTables::Loaded table = DragTables::load(r.dragTable);
    if (!table.curve) return table.problem;
    const precision::DragCurve scaled =
        precision::scaledDrag(*table.curve, r.truth.supersonicScale, r.truth.subsonicScale);
    QSaveFile file(bandFile);
    if (!file.open(QIODevice::WriteOnly) || file.write(curveCsv(scaled, r.truth)) < 0 ||
        !file.commit())
        return QStringLiteral("The trued drag could not be written to \"%1\": %2")
            .arg(bandFile, file.errorString());
    model.form.precision.dragTable = bandFile;
    return {};
}

} // namespace TrueDrag
