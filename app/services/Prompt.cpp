#include "services/Prompt.h"

#include <cstdio>

namespace {
StderrPrompt stderrPrompt;
Prompt* current = &stderrPrompt;
} // namespace

Prompt& prompt() {
    return *current;
}

Prompt* installPrompt(Prompt* p) {
    Prompt* previous = current;
    current = p ? p : &stderrPrompt;
    return previous == &stderrPrompt ? nullptr : previous;
}

PromptAnswer showMessage(const QString& text, const QString& title) {
    return prompt().ask(text, title, PromptButtons::Ok, PromptIcon::None);
}

PromptAnswer StderrPrompt::ask(const QString& text, const QString& title, PromptButtons buttons,
                               PromptIcon) {
    const QByteArray line = (title.isEmpty() ? text : title + ": " + text).toLocal8Bit();
    std::fprintf(stderr, "%s\n", line.constData());
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::Yes
               : PromptAnswer::Ok;
}
