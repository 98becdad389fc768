// A prompt for tests: records every message and answers from a script, so no test ever blocks
// on a dialog. An unexpected message (nothing scripted) is recorded and answered with the first
// button, and handed to `onUnscripted` when a fixture set it (QuietPrompt fails the test there);
// tests assert on `messages`.
#pragma once

#include "services/Prompt.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <functional>

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

    // Answers handed out in order; when empty, the first button's answer. A message that takes
    // one of them counts as scripted.
    QList<PromptAnswer> answers;
    // Texts of the messages the test expects, in order; a message with the next one's text
    // counts as scripted.
    QStringList expected;
    // Called with the text of every message that is not scripted.
    std::function<void(const QString&)> onUnscripted;
    QList<RecordedMessage> messages;

    void clear() { messages.clear(); }
    QString lastText() const { return messages.isEmpty() ? QString() : messages.back().text; }
    QString lastTitle() const { return messages.isEmpty() ? QString() : messages.back().title; }

private:
    Prompt* previous = nullptr;
};
