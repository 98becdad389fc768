#include "cli/HitCommand.h"

#include "cli/CliLoad.h"
#include "load/HitTable.h"
#include "load/LoadModel.h"
#include "services/MNumber.h"

#include <cmath>
#include <optional>
#include <utility>
#include <vector>

namespace HitCommand {

namespace {

int badInput(const QString& text) {
    CliLoad::writeErrorLine(text);
    return CliLoad::ExitBadInput;
}

// The options that take numbers: where each goes and how many it takes.
struct NumberOption {
    const char* name;
    int count;
    double HitInputs::*first;
    double HitInputs::*second;
};

const NumberOption numberOptions[] = {
    {"--target", 2, &HitInputs::targetWidthIn, &HitInputs::targetHeightIn},
    {"--circle", 1, &HitInputs::circleDiameterIn, nullptr},
    {"--group", 1, &HitInputs::groupMoa, nullptr},
    {"--mv-sd", 1, &HitInputs::velocitySdFps, nullptr},
    {"--bc-sd", 1, &HitInputs::bcSdPct, nullptr},
    {"--range-sd", 1, &HitInputs::rangeSd, nullptr},
    {"--wind-sd", 1, &HitInputs::windSdMph, nullptr},
};

std::optional<double> number(const QString& text) {
    const auto value = MNumber::parse(text);
    if (!value || !std::isfinite(*value) || *value < 0) return std::nullopt;
    return *value;
}

QString fixed(double value, int decimals) {
    return QString::number(value, 'f', decimals);
}

QByteArray text(const HitTable::Result& result, const std::vector<double>& mc, bool csv) {
    QString out;
    if (csv) {
        out += "range,hit_pct,sigma_v_in,sigma_h_in";
        for (int s = 0; s < HitTable::SourceCount; ++s)
            out += ',' + HitTable::sourceName(HitTable::Source(s)).toLower() + "_pct";
        if (!mc.empty()) out += ",mc_hit_pct";
        out += '\n';
    } else {
        out += "Range   Hit %  SigmaV in  SigmaH in   Rifle %  Veloc. %    BC %  Range %  Wind %";
        if (!mc.empty()) out += "  MC hit %";
        out += '\n';
    }
    for (size_t i = 0; i < result.rows.size(); ++i) {
        const HitTable::Row& row = result.rows[i];
        if (csv) {
            out += fixed(row.range, 0) + ',' + fixed(row.hitPct, 2) + ',' + fixed(row.sigmaVIn, 3) +
                   ',' + fixed(row.sigmaHIn, 3);
            for (double share : row.budgetPct)
                out += ',' + fixed(share, 1);
            if (!mc.empty()) out += ',' + fixed(mc[i], 2);
        } else {
            out += fixed(row.range, 0).rightJustified(5) + fixed(row.hitPct, 1).rightJustified(8) +
                   fixed(row.sigmaVIn, 2).rightJustified(11) +
                   fixed(row.sigmaHIn, 2).rightJustified(11);
            const int widths[HitTable::SourceCount] = {10, 10, 8, 9, 8};
            for (int s = 0; s < HitTable::SourceCount; ++s)
                out += fixed(row.budgetPct[s], 1).rightJustified(widths[s]);
            if (!mc.empty()) out += fixed(mc[i], 1).rightJustified(10);
        }
        out += '\n';
    }
    return out.toLocal8Bit();
}

} // namespace

int run(const QStringList& operands) {
    // The options given, applied over the load's own inputs (or the defaults) once it is read.
    std::vector<std::pair<double HitInputs::*, double>> given;
    QStringList files;
    bool csv = false;
    std::optional<int> samples;
    std::uint64_t seed = 1;
    for (qsizetype i = 0; i < operands.size(); ++i) {
        const QString& arg = operands[i];
        const NumberOption* option = nullptr;
        for (const NumberOption& o : numberOptions)
            if (arg == QLatin1String(o.name)) option = &o;
        if (option) {
            if (i + option->count >= operands.size())
                return badInput("option '" + arg + "' needs " +
                                (option->count == 2 ? "two numbers" : "a number"));
            for (int k = 0; k < option->count; ++k) {
                const auto value = number(operands[++i]);
                if (!value)
                    return badInput("'" + operands[i] + "' is not a number of zero or more for '" +
                                    arg + "'");
                given.emplace_back(k == 0 ? option->first : option->second, *value);
            }
        } else if (arg == QLatin1String("--samples") || arg == QLatin1String("--seed")) {
            if (i + 1 >= operands.size()) return badInput("option '" + arg + "' needs a number");
            bool ok = false;
            const qulonglong value = operands[++i].toULongLong(&ok);
            if (!ok || (arg == QLatin1String("--samples") && (value < 1 || value > 10000000)))
                return badInput("'" + operands[i] + "' is not a valid count for '" + arg + "'");
            if (arg == QLatin1String("--samples"))
                samples = int(value);
            else
                seed = value;
        } else if (arg == QLatin1String("--csv")) {
            csv = true;
        } else if (arg.startsWith(QLatin1String("--"))) {
            return badInput("unknown option '" + arg + "'");
        } else {
            files << arg;
        }
    }
    if (files.size() != 1) return badInput("--hit-probability needs one load file");

    LoadModel model;
    CliLoad::startModel(model);
    if (!CliLoad::openLoad(model, files.front())) return CliLoad::ExitBadInput;
    HitInputs inputs = model.form.hit.value_or(HitInputs());
    for (const auto& [member, value] : given)
        inputs.*member = value;
    if (!inputs.circle() && (inputs.targetWidthIn <= 0 || inputs.targetHeightIn <= 0))
        return badInput("the target needs a width and a height above zero");
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    const HitTable::Result result = HitTable::compute(snapshot, inputs);
    Problems::report(result.solverFailures);
    if (!result.ok()) return badInput(result.problem);
    std::vector<double> mc;
    if (samples) mc = HitTable::monteCarlo(result, inputs, *samples, seed, snapshot.metric());
    return CliLoad::writeOutStatus(text(result, mc, csv));
}

} // namespace HitCommand
