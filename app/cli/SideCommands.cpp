#include "cli/SideCommands.h"

#include "cli/CliLoad.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "load/Truing.h"
#include "services/CChronoVelocity.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QMap>
#include <cmath>
#include <optional>

namespace SideCommands {

namespace {

using namespace CliLoad;

constexpr InputLimit angleLimit{-90.0f, 90.0f, "Downhill/Uphill angle in range -90/90 degrees."};

// Operands split into "--name value" pairs and plain values, in order.
struct Arguments {
    QMap<QString, QString> named;
    QStringList plain;
    QString error;
};

Arguments split(const QStringList& operands, const QStringList& names) {
    Arguments a;
    for (qsizetype i = 0; i < operands.size() && a.error.isEmpty(); ++i) {
        const QString& arg = operands[i];
        if (!arg.startsWith(QLatin1String("--"))) {
            a.plain << arg;
        } else if (!names.contains(arg)) {
            a.error = "unknown option '" + arg + "'";
        } else if (i + 1 >= operands.size()) {
            a.error = "option '" + arg + "' needs a number";
        } else {
            a.named.insert(arg, operands[++i]);
        }
    }
    return a;
}

// The number in `text` within the limit; the reason in `error` otherwise.
std::optional<float> number(const QString& text, const InputLimit& limit, QString& error) {
    const auto value = MNumber::parse(text);
    const auto single = value ? MNumber::toSingle(*value) : std::nullopt;
    if (!single) {
        error = "'" + text + "' is not a number";
        return std::nullopt;
    }
    if (*single < limit.lower || *single > limit.upper) {
        error = QString::fromLatin1(limit.message);
        return std::nullopt;
    }
    return single;
}

// A typed value in the shooter's unit of `q`, as the files' unit.
QString storedText(const Units::ShownUnits& units, Units::Quantity q, const QString& typed) {
    if (units.isStored(q)) return typed;
    const auto value = UnitText::stored(units, q, typed);
    return value ? QString::number(*value, 'g', 9) : typed;
}

// A value of the files' unit of `q` in the shooter's, at one decimal more than the unit's.
QString shown(const Units::ShownUnits& units, Units::Quantity q, float stored, int decimals) {
    return MNumber::shortText(
        MNumber::roundDecimals(float(units.shown(q, double(stored))), decimals));
}

QString unitName(const Units::ShownUnits& units, Units::Quantity q, const char* classic) {
    return units.isStored(q) ? QString::fromLatin1(classic) : UnitText::symbol(units, q);
}

int badInput(const QString& text) {
    CliLoad::writeErrorLine(text);
    return ExitBadInput;
}

QString decimal1(float value) {
    return MNumber::shortText(MNumber::roundDecimals(value, 1));
}

} // namespace

int pointBlank(const QStringList& arguments) {
    QStringList operands = arguments;
    QString unitsError;
    const auto units = CliLoad::takeUnits(operands, unitsError);
    if (!units) return badInput(unitsError);
    const Arguments args = split(operands, {QStringLiteral("--target"), QStringLiteral("--group"),
                                            QStringLiteral("--angle")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() > 1) return badInput("more than one load file given");

    QString error;
    using Units::Quantity;
    const auto target =
        args.named.contains(QStringLiteral("--target"))
            ? number(storedText(*units, Quantity::Length, args.named.value("--target")),
                     CPointBlank::targetLimit, error)
            : std::optional<float>(10.0f);
    if (!target) return badInput(error);
    const auto group = number(
        storedText(*units, Quantity::Length, args.named.value("--group", QStringLiteral("0"))),
        CPointBlank::groupLimit, error);
    if (!group) return badInput(error);
    if (*target <= *group)
        return badInput(QStringLiteral("Group Size must be smaller than Target Size"));

    LoadModel model;
    CliLoad::startModel(model);
    if (!args.plain.isEmpty() && !CliLoad::openLoad(model, args.plain.front())) return ExitBadInput;
    model.units = *units;
    if (args.named.contains(QStringLiteral("--angle"))) {
        const QString text = args.named.value(QStringLiteral("--angle"));
        if (!number(text, angleLimit, error)) return badInput(error);
        Problems::report(model.setFieldText(InputFields::Angle, text));
    }
    model.values.killZone = *target;
    model.values.groupSize = *group;
    model.values.isPointBlank = true;

    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    if (const QString problem = snapshot.loadProblem(); !problem.isEmpty())
        return badInput(problem);
    CPointBlank pb;
    const bool found = pb.pointBlankRange(snapshot);
    Problems::report(pb.solverFailures);
    if (!found) {
        if (pb.failure) Problems::report(*pb.failure);
        return ExitFailed;
    }

    const bool metric = units->rangeInMetres(model.form.isMetric());
    const double rangeScale = units->rangeScale(model.form.isMetric());
    const QString unit = metric ? QStringLiteral(" (m)") : QStringLiteral(" (yd)");
    const QString length = unitName(*units, Quantity::Length, "in");
    const QString sightIn = (metric ? QStringLiteral("100 Meter Sight in (%1)")
                                    : QStringLiteral("100 Yard Sight in (%1)"))
                                .arg(length);
    const auto range = [rangeScale](float value) { return float(value * rangeScale); };
    const QString text =
        "Point Blank Zero" + unit + ": " + decimal1(range(pb.pbZero)) + '\n' + "Maximum Range" +
        unit + ": " +
        (rangeScale == 1.0 ? MNumber::shortText(pb.pbRange) : decimal1(range(pb.pbRange))) + '\n' +
        sightIn + ": " + shown(*units, Quantity::Length, pb.zero100, 1) + '\n';
    return writeOutStatus(text.toLocal8Bit());
}

int chrono(const QStringList& arguments) {
    QStringList operands = arguments;
    QString unitsError;
    const auto units = CliLoad::takeUnits(operands, unitsError);
    if (!units) return badInput(unitsError);
    using Units::Quantity;
    const Arguments args = split(operands, {QStringLiteral("--angle")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() != 3) return badInput("--chrono needs VELOCITY DISTANCE BC");

    QString error;
    // The chronograph's distance is in feet, or metres with the metric units.
    const auto velocity = number(storedText(*units, Quantity::Velocity, args.plain[0]),
                                 CChronoVelocity::velocityLimit, error);
    if (!velocity) return badInput(error);
    const auto distance = number(storedText(*units, Quantity::Altitude, args.plain[1]),
                                 CChronoVelocity::distanceLimit, error);
    if (!distance) return badInput(error);
    const auto bc = number(args.plain[2], CChronoVelocity::bcLimit, error);
    if (!bc) return badInput(error);
    const QString angleText = args.named.value(QStringLiteral("--angle"), QStringLiteral("0"));
    if (!number(angleText, angleLimit, error)) return badInput(error);

    CChronoVelocity chronoVelocity;
    const float result = chronoVelocity.chronoCorrect(*bc, *distance, *velocity, angleText);
    // A chronograph the bullet never reaches is a fault of the input; its reason goes to
    // standard error.
    Problems::report(chronoVelocity.problems());
    if (!(result > 0)) {
        return ExitBadInput;
    }
    const QString velocityUnit = unitName(*units, Quantity::Velocity, "ft/sec");
    const QString text =
        "Calculated Muzzle Velocity (" + velocityUnit +
        "): " + shown(*units, Quantity::Velocity, result, 1) + '\n' + "Velocity Difference (" +
        velocityUnit + "): " +
        MNumber::shortText(MNumber::roundDecimals(
            float(units->shownDifference(Quantity::Velocity, result - *velocity)), 1)) +
        '\n';
    return writeOutStatus(text.toLocal8Bit());
}

int trueVelocity(const QStringList& arguments) {
    QStringList operands = arguments;
    QString unitsError;
    const auto units = CliLoad::takeUnits(operands, unitsError);
    if (!units) return badInput(unitsError);
    using Units::Quantity;
    const Arguments args = split(operands, {QStringLiteral("--range"), QStringLiteral("--height")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() != 1) return badInput("--true-velocity needs one load file");
    for (const char* name : {"--range", "--height"})
        if (!args.named.contains(QLatin1String(name)))
            return badInput(QStringLiteral("--true-velocity needs %1").arg(QLatin1String(name)));
    const auto range = MNumber::parse(args.named.value(QStringLiteral("--range")));
    if (!range)
        return badInput("'" + args.named.value(QStringLiteral("--range")) + "' is not a number");
    const auto height = MNumber::parse(
        storedText(*units, Quantity::Length, args.named.value(QStringLiteral("--height"))));
    if (!height || !std::isfinite(*height))
        return badInput("'" + args.named.value(QStringLiteral("--height")) + "' is not a number");

    LoadModel model;
    CliLoad::startModel(model);
    if (!CliLoad::openLoad(model, args.plain.front())) return ExitBadInput;
    model.units = *units;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    // The range is typed in the shooter's range unit; the load keeps its own.
    const Truing::Result result = Truing::trueVelocity(
        snapshot, float(*range / units->rangeScale(model.form.isMetric())), *height);
    Problems::report(result.solverFailures);
    if (!result.velocity) {
        // A range or a load at fault is bad input; a height no velocity gives is no result.
        if (result.inputFault) return badInput(result.problem);
        CliLoad::writeErrorLine(result.problem);
        return ExitFailed;
    }
    const bool classic = units->isStored(Quantity::Velocity);
    const QString velocityUnit = unitName(*units, Quantity::Velocity, "ft/sec");
    const auto velocityText = [&](double fps) {
        return classic ? MNumber::shortText(float(fps))
                       : shown(*units, Quantity::Velocity, float(fps), 2);
    };
    QString text =
        "Load muzzle velocity (" + velocityUnit + "): " + velocityText(result.loadVelocity) + '\n';
    if (result.loadHeight)
        text += "Height with it (" + unitName(*units, Quantity::Length, "in") +
                "): " + shown(*units, Quantity::Length, float(*result.loadHeight), 2) + '\n';
    text +=
        "Trued muzzle velocity (" + velocityUnit + "): " + velocityText(*result.velocity) + '\n';
    return writeOutStatus(text.toLocal8Bit());
}

} // namespace SideCommands
