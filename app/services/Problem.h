// Why a calculation or a file operation gave no result, as a value: the calculation returns it,
// and only an entry point (a window command, a command-line job) shows it to the user, once.
#pragma once

#include "services/Prompt.h"

#include <QList>
#include <QString>
#include <optional>

struct Problem {
    long number = 0;   // an ErrorNumbers value; 0 for a message that is not a failure report
    QString operation; // "<class> <operation>" of a failure report, e.g. "CTextOutput getNumSteps"
    QString text;      // the failure's description, or the whole message
    QString title;     // the message's title (empty: none)
    PromptIcon icon = PromptIcon::None;

    // A failure report: "<className> <operationName>: <number> - <description>", no title.
    static Problem failure(const QString& className, const QString& operationName, long number,
                           const QString& description);
    // A plain message with a title.
    static Problem message(const QString& text, const QString& title = QString(),
                           PromptIcon icon = PromptIcon::None);

    // The text the prompt shows.
    QString messageText() const;
};

namespace Problems {
// Shows the problem through the prompt (OK button, the problem's icon), in the form the user has
// always seen. Only entry points call it.
void report(const Problem& problem);
// Each problem in turn, in the order they arose.
void report(const QList<Problem>& problems);
// The problem, when there is one.
void report(const std::optional<Problem>& problem);
} // namespace Problems
