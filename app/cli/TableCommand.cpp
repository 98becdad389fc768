#include "cli/TableCommand.h"

#include "cli/CliLoad.h"
#include "load/CTextOutput.h"
#include "load/CsvExport.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

namespace TableCommand {

using namespace CliLoad;

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
        // The load's fields passed: what is left is a calculation without a result (a zero out
        // of the precision model's reach, a value no number can hold).
        if (!problem.isEmpty()) {
            CliLoad::writeErrorLine(problem);
            return ExitFailed;
        }
        if (text.isEmpty()) return ExitFailed; // the reason has gone to standard error
        return writeOutStatus(text);
    }
    const QString text = TableRefresh::tableText(model, txt);
    if (!txt.problem().isEmpty()) {
        CliLoad::writeErrorLine(txt.problem());
        return ExitFailed;
    }
    if (text.isEmpty()) return ExitFailed; // the reason has gone to standard error
    return writeOutStatus(text.toLocal8Bit());
}

} // namespace TableCommand
