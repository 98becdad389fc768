#include "services/Problem.h"

#include "services/Prompt.h"

Problem Problem::failure(const QString& className, const QString& operationName, long number,
                         const QString& description) {
    return {number, className + ' ' + operationName, description, QString(), PromptIcon::None};
}

Problem Problem::message(const QString& text, const QString& title, PromptIcon icon) {
    return {0, QString(), text, title, icon};
}

QString Problem::messageText() const {
    if (operation.isEmpty()) return text;
    return operation + ": " + QString::number(number) + " - " + text;
}

namespace Problems {

void report(const Problem& problem) {
    prompt().ask(problem.messageText(), problem.title, PromptButtons::Ok, problem.icon);
}

void report(const QList<Problem>& problems) {
    for (const Problem& problem : problems)
        report(problem);
}

void report(const std::optional<Problem>& problem) {
    if (problem) report(*problem);
}

} // namespace Problems
