// A prompt for tests: records every message and answers from a script, so no test ever blocks
// on a dialog. An unexpected message (nothing scripted) is recorded and answered with the first
// button; tests assert on `messages`.
#pragma once

#include "services/Prompt.h"

#include <QList>
#include <QString>

struct RecordedMessage {
    QString text;
    QString title;
    PromptButtons buttons;
    PromptIcon icon;
};

class PromptRecorder : public Prompt {
public:
    PromptRecorder();           // installs itself
    ~PromptRecorder() override; // restores the previous prompt

    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override;

    // Answers handed out in order; when empty, the first button's answer.
    QList<PromptAnswer> answers;
    QList<RecordedMessage> messages;

    void clear() { messages.clear(); }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.back().title; }

private:
    Prompt* previous = nullptr;
};
