#include "cli/CardCommand.h"

#include "cli/CliLoad.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "report/RangeCard.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <cstdio>
#include <memory>
#include <optional>

namespace CardCommand {

using namespace CliLoad;

namespace {

int bad(const QString& text) {
    CliLoad::writeErrorLine(text + " (try 'quorvel --help')");
    return ExitBadInput;
}

// Fonts and the PDF writer need a GUI application; without a display the offscreen platform
// draws the same.
std::unique_ptr<QGuiApplication> guiApplication() {
    if (QGuiApplication::instance()) return nullptr;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY") &&
        qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's own notices (a missing runtime folder and the like) are not the job's output: only
    // the program's one-line messages reach standard error.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::fprintf(stderr, "%s\n", qPrintable(text));
    });
    static int argc = 1;
    static char name[] = "quorvel";
    static char* argv[] = {name, nullptr};
    return std::make_unique<QGuiApplication>(argc, argv);
}

// "FIRST:LAST:STEP", whole numbers of the load's range unit.
std::optional<RangeCard::Rows> rowsOf(const QString& text) {
    const QStringList parts = text.split(QLatin1Char(':'));
    if (parts.size() != 3) return std::nullopt;
    int numbers[3] = {};
    for (int i = 0; i < 3; ++i) {
        bool ok = false;
        numbers[i] = parts[i].toInt(&ok);
        if (!ok || numbers[i] < 0 || numbers[i] > 32767) return std::nullopt;
    }
    if (numbers[2] < 1 || numbers[1] < numbers[0]) return std::nullopt;
    return RangeCard::Rows{numbers[0], numbers[1], numbers[2]};
}
} // namespace

int run(const QStringList& arguments) {
    QStringList operands = arguments;
    QString unitsError;
    const auto units = CliLoad::takeUnits(operands, unitsError);
    if (!units) return bad(unitsError);
    QString file, output;
    RangeCard::Size size = RangeCard::Size::Page;
    std::optional<RangeCard::Rows> rows;
    for (qsizetype i = 0; i < operands.size(); ++i) {
        const QString& arg = operands[i];
        if (arg == QLatin1String("-o")) {
            if (i + 1 >= operands.size()) return bad(QStringLiteral("option '-o' needs a file"));
            output = operands[++i];
        } else if (arg == QLatin1String("--card-size")) {
            const QString value = i + 1 < operands.size() ? operands[++i] : QString();
            if (value == QLatin1String("page"))
                size = RangeCard::Size::Page;
            else if (value == QLatin1String("pocket"))
                size = RangeCard::Size::Pocket;
            else
                return bad(QStringLiteral("option '--card-size' needs 'page' or 'pocket'"));
        } else if (arg == QLatin1String("--rows")) {
            rows = i + 1 < operands.size() ? rowsOf(operands[++i]) : std::nullopt;
            if (!rows)
                return bad(QStringLiteral("option '--rows' needs FIRST:LAST:STEP, whole ranges "
                                          "with FIRST not beyond LAST and a STEP of at least 1"));
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return bad("unknown option '" + arg + "'");
        } else if (file.isEmpty()) {
            file = arg;
        } else {
            return bad(QStringLiteral("more than one load file given"));
        }
    }
    if (file.isEmpty() || output.isEmpty())
        return bad(QStringLiteral("--card needs FILE.qvt -o OUT.pdf"));

    // A folder that is not there is a mistyped operand, told before any work, as every other
    // operand is; a write that fails in a folder that is there (a full disk) is a failure.
    if (const QFileInfo target(output); !target.absoluteDir().exists()) {
        CliLoad::writeErrorLine(QStringLiteral("cannot write '%1': the folder %2 does not exist")
                                    .arg(output, QDir::toNativeSeparators(target.absolutePath())));
        return ExitBadInput;
    }
    const auto app = guiApplication();
    LoadModel model;
    CliLoad::startModel(model);
    if (!CliLoad::openLoad(model, file)) return ExitBadInput;
    model.units = *units;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    if (const QString problem = snapshot.loadProblem(); !problem.isEmpty()) {
        CliLoad::writeErrorLine(problem);
        return ExitBadInput;
    }
    // The fields passed: a card without rows is a calculation without a result.
    const CInput& load = snapshot.values.in1;
    const RangeCard::Rows chosen =
        rows.value_or(RangeCard::defaultRows(size, load.imaxyds, load.iydsinc));
    if (const QString problem =
            RangeCard::rowsProblem(chosen, load.imaxyds, snapshot.form.isMetric() ? "m" : "yd");
        !problem.isEmpty()) {
        CliLoad::writeErrorLine(problem);
        return ExitBadInput;
    }
    const RangeCard::Collected collected = RangeCard::collect(snapshot, chosen);
    Problems::report(collected.solverFailures);
    if (collected.failure) {
        Problems::report(*collected.failure);
        return ExitFailed;
    }
    if (!collected.ok()) {
        if (!collected.problem.isEmpty()) CliLoad::writeErrorLine(collected.problem);
        return ExitFailed;
    }
    QString problem;
    if (!RangeCard::writePdf(output, collected.card, problem, size)) {
        CliLoad::writeErrorLine(QStringLiteral("cannot write '%1': %2").arg(output, problem));
        return ExitFailed;
    }
    return ExitOk;
}

} // namespace CardCommand
