#include "cli/TrueDragCommand.h"

#include "cli/CliLoad.h"
#include "load/LoadModel.h"
#include "load/TrueDrag.h"
#include "services/MNumber.h"

#include <cmath>

namespace TrueDragCommand {

namespace {

constexpr int ExitBadInput = 2;

int badInput(const QString& text) {
    CliLoad::writeErrorLine(text);
    return ExitBadInput;
}

// "R:H", both finite numbers.
std::optional<TrueDrag::Observation> observation(const QString& text) {
    const QStringList parts = text.split(':');
    if (parts.size() != 2) return std::nullopt;
    const auto range = MNumber::parse(parts[0]);
    const auto height = MNumber::parse(parts[1]);
    if (!range || !height || !std::isfinite(*range) || !std::isfinite(*height)) return std::nullopt;
    return TrueDrag::Observation{*range, *height};
}

} // namespace

int run(const QStringList& operands) {
    QStringList files;
    std::vector<TrueDrag::Observation> observations;
    for (qsizetype i = 0; i < operands.size(); ++i) {
        const QString& arg = operands[i];
        if (arg == QLatin1String("--observe")) {
            if (i + 1 >= operands.size()) return badInput("option '--observe' needs R:H");
            const auto o = observation(operands[++i]);
            if (!o)
                return badInput("'" + operands[i] +
                                "' is not an observation: give the range and the height in "
                                "inches as R:H");
            observations.push_back(*o);
        } else if (arg.startsWith(QLatin1String("--"))) {
            return badInput("unknown option '" + arg + "'");
        } else {
            files << arg;
        }
    }
    if (files.size() != 1) return badInput("--true-drag needs one load file");
    if (observations.empty()) return badInput("--true-drag needs at least one --observe R:H");

    LoadModel model;
    CliLoad::startModel(model);
    if (!CliLoad::openLoad(model, files.front())) return ExitBadInput;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    const TrueDrag::Result result = TrueDrag::trueDrag(snapshot, observations);
    if (!result.ok()) return badInput(result.problem);
    if (result.allNear) CliLoad::writeErrorLine(TrueDrag::nearWarning());
    // A full disk or a closed pipe is one line and status 1, as for every printing job.
    return CliLoad::writeOutStatus(TrueDrag::fitText(result).toLocal8Bit());
}

} // namespace TrueDragCommand
