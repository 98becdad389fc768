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
    QString error;
    const auto units = CliLoad::takeUnits(files, error);
    if (!units) {
        CliLoad::writeErrorLine(error);
        return ExitBadInput;
    }
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
    model.units = *units;
    if (const QString problem = LoadSnapshot::problemOf(model.form); !problem.isEmpty()) {
        CliLoad::writeErrorLine(problem);
        return ExitBadInput;
    }
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    CTextOutput txt;
    if (csv) {
        QString problem;
        QList<Problem> failures;
        const QByteArray text = CsvExport::tableCsv(snapshot, txt, problem, failures);
        // The load's fields passed: what is left is a calculation without a result (a zero out
        // of the precision model's reach, a value no number can hold).
        if (!problem.isEmpty()) {
            CliLoad::writeErrorLine(problem);
            return ExitFailed;
        }
        Problems::report(failures);
        if (text.isEmpty()) return ExitFailed;
        return writeOutStatus(text);
    }
    const TableResult result = TableRefresh::table(snapshot, txt);
    Problems::report(result.solverFailures);
    if (result.problem) {
        Problems::report(*result.problem);
        return ExitFailed;
    }
    // The precision model cannot fly every load (a zero out of its reach), and a value no number
    // can hold is named with its input.
    if (!result.reason.isEmpty()) {
        CliLoad::writeErrorLine(result.reason);
        return ExitFailed;
    }
    if (result.text.isEmpty()) return ExitFailed;
    return writeOutStatus(result.text.toLocal8Bit());
}

} // namespace TableCommand
