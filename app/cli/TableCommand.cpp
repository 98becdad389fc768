#include "cli/TableCommand.h"

#include "cli/CliLoad.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

namespace TableCommand {

namespace {
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitBadInput = 2;
} // namespace

int run(const QStringList& operands) {
    LoadModel model;
    CliLoad::startModel(model);
    if (!operands.isEmpty() && !CliLoad::openLoad(model, operands.front())) return ExitBadInput;
    if (const QString problem = TableRefresh::loadProblem(model); !problem.isEmpty()) {
        CliLoad::writeErrorLine(problem);
        return ExitBadInput;
    }
    CTextOutput txt;
    const QString text = TableRefresh::tableText(model, txt);
    if (text.isEmpty()) return ExitFailed; // the reason has gone to standard error
    CliLoad::writeOut(text.toLocal8Bit());
    return ExitOk;
}

} // namespace TableCommand
