#include "cli/TableCommand.h"

#include "cli/CliLoad.h"
#include "load/CTextOutput.h"
#include "load/CsvExport.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

namespace TableCommand {

namespace {
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadInput = 2;
} // namespace

int run(const QStringList& operands) {
    QStringList files = operands;
    const bool csv = files.removeAll(QStringLiteral("--csv")) > 0;
    for (const QString& operand : files)
        if (operand.startsWith(QLatin1String("--"))) {
            CliLoad::writeErrorLine("unknown option '" + operand + "' (try 'quorvel --help')");
            return ExitBadInput;
        }
    if (files.size() > 1) {
        CliLoad::writeErrorLine(QStringLiteral("more than one load file given"));
        return ExitBadInput;
    }
    LoadModel model;
    CliLoad::startModel(model);
    if (!files.isEmpty() && !CliLoad::openLoad(model, files.front())) return ExitBadInput;
    if (const QString problem = TableRefresh::loadProblem(model); !problem.isEmpty()) {
        CliLoad::writeErrorLine(problem);
        return ExitBadInput;
    }
    CTextOutput txt;
    if (csv) {
        QString problem;
        const QByteArray text = CsvExport::tableCsv(model, txt, problem);
        if (!problem.isEmpty()) {
            CliLoad::writeErrorLine(problem);
            return ExitBadInput;
        }
        if (text.isEmpty()) return ExitFailed; // the reason has gone to standard error
        CliLoad::writeOut(text);
        return ExitOk;
    }
    const QString text = TableRefresh::tableText(model, txt);
    // The precision model cannot fly every load (a zero out of its reach).
    if (!txt.problem().isEmpty()) {
        CliLoad::writeErrorLine(txt.problem());
        return ExitBadInput;
    }
    if (text.isEmpty()) return ExitFailed; // the reason has gone to standard error
    CliLoad::writeOut(text.toLocal8Bit());
    return ExitOk;
}

} // namespace TableCommand
