#include "PromptRecorder.h"

PromptRecorder::PromptRecorder() {
    previous = installPrompt(this);
}

PromptRecorder::~PromptRecorder() {
    installPrompt(previous);
}

PromptAnswer PromptRecorder::ask(const QString& text, const QString& title, PromptButtons buttons,
                                 PromptIcon icon) {
    messages.push_back({text, title, buttons, icon});
    const bool expectedText = !expected.isEmpty() && expected.front() == text;
    if (expectedText) expected.removeFirst();
    if (!expectedText && answers.isEmpty() && onUnscripted) onUnscripted(text);
    if (!answers.isEmpty()) return answers.takeFirst();
    return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
               ? PromptAnswer::Yes
               : PromptAnswer::Ok;
}
