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

int badInput(const QString& text) {
    CliLoad::writeErrorLine(text);
    return ExitBadInput;
}

QString decimal1(float value) {
    return MNumber::shortText(MNumber::roundDecimals(value, 1));
}

} // namespace

int pointBlank(const QStringList& operands) {
    const Arguments args = split(operands, {QStringLiteral("--target"), QStringLiteral("--group"),
                                            QStringLiteral("--angle")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() > 1) return badInput("more than one load file given");

    QString error;
    const auto target = number(args.named.value(QStringLiteral("--target"), QStringLiteral("10")),
                               CPointBlank::targetLimit, error);
    if (!target) return badInput(error);
    const auto group = number(args.named.value(QStringLiteral("--group"), QStringLiteral("0")),
                              CPointBlank::groupLimit, error);
    if (!group) return badInput(error);
    if (*target <= *group)
        return badInput(QStringLiteral("Group Size must be smaller than Target Size"));

    LoadModel model;
    CliLoad::startModel(model);
    if (!args.plain.isEmpty() && !CliLoad::openLoad(model, args.plain.front())) return ExitBadInput;
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
    if (!pb.pointBlankRange(snapshot)) {
        if (pb.failure) Problems::report(*pb.failure);
        return ExitFailed;
    }

    const bool metric = model.form.isMetric();
    const QString unit = metric ? QStringLiteral(" (m)") : QStringLiteral(" (yd)");
    const QString sightIn = metric ? QStringLiteral("100 Meter Sight in (in)")
                                   : QStringLiteral("100 Yard Sight in (in)");
    const QString text = "Point Blank Zero" + unit + ": " + decimal1(pb.pbZero) + '\n' +
                         "Maximum Range" + unit + ": " + MNumber::shortText(pb.pbRange) + '\n' +
                         sightIn + ": " + decimal1(pb.zero100) + '\n';
    return writeOutStatus(text.toLocal8Bit());
}

int chrono(const QStringList& operands) {
    const Arguments args = split(operands, {QStringLiteral("--angle")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() != 3) return badInput("--chrono needs VELOCITY DISTANCE BC");

    QString error;
    const auto velocity = number(args.plain[0], CChronoVelocity::velocityLimit, error);
    if (!velocity) return badInput(error);
    const auto distance = number(args.plain[1], CChronoVelocity::distanceLimit, error);
    if (!distance) return badInput(error);
    const auto bc = number(args.plain[2], CChronoVelocity::bcLimit, error);
    if (!bc) return badInput(error);
    const QString angleText = args.named.value(QStringLiteral("--angle"), QStringLiteral("0"));
    if (!number(angleText, angleLimit, error)) return badInput(error);

    CChronoVelocity chronoVelocity;
    const float result = chronoVelocity.chronoCorrect(*bc, *distance, *velocity, angleText);
    // A chronograph the bullet never reaches is a fault of the input; its reason goes to
    // standard error.
    if (!(result > 0)) {
        if (chronoVelocity.failure()) Problems::report(*chronoVelocity.failure());
        return ExitBadInput;
    }
    const QString text = "Calculated Muzzle Velocity (ft/sec): " + decimal1(result) + '\n' +
                         "Velocity Difference (ft/sec): " + decimal1(result - *velocity) + '\n';
    return writeOutStatus(text.toLocal8Bit());
}

int trueVelocity(const QStringList& operands) {
    const Arguments args = split(operands, {QStringLiteral("--range"), QStringLiteral("--height")});
    if (!args.error.isEmpty()) return badInput(args.error);
    if (args.plain.size() != 1) return badInput("--true-velocity needs one load file");
    for (const char* name : {"--range", "--height"})
        if (!args.named.contains(QLatin1String(name)))
            return badInput(QStringLiteral("--true-velocity needs %1").arg(QLatin1String(name)));
    const auto range = MNumber::parse(args.named.value(QStringLiteral("--range")));
    if (!range)
        return badInput("'" + args.named.value(QStringLiteral("--range")) + "' is not a number");
    const auto height = MNumber::parse(args.named.value(QStringLiteral("--height")));
    if (!height || !std::isfinite(*height))
        return badInput("'" + args.named.value(QStringLiteral("--height")) + "' is not a number");

    LoadModel model;
    CliLoad::startModel(model);
    if (!CliLoad::openLoad(model, args.plain.front())) return ExitBadInput;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    const Truing::Result result = Truing::trueVelocity(snapshot, float(*range), *height);
    if (!result.velocity) {
        // A range or a load at fault is bad input; a height no velocity gives is no result.
        if (result.inputFault) return badInput(result.problem);
        CliLoad::writeErrorLine(result.problem);
        return ExitFailed;
    }
    QString text =
        "Load muzzle velocity (ft/sec): " + MNumber::shortText(float(result.loadVelocity)) + '\n';
    if (result.loadHeight)
        text += "Height with it (in): " +
                MNumber::shortText(MNumber::roundDecimals(float(*result.loadHeight), 2)) + '\n';
    text += "Trued muzzle velocity (ft/sec): " + MNumber::shortText(float(*result.velocity)) + '\n';
    return writeOutStatus(text.toLocal8Bit());
}

} // namespace SideCommands
