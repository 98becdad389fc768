// The one way a message box reaches the user. The window installs a prompt that shows real
// message boxes; the command line installs one that writes to standard error; tests install a
// recorder that checks the text and scripts the answer.
#pragma once

#include <QString>

enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptIcon { None, Information, Exclamation, Question, Critical };
enum class PromptAnswer { Ok, Cancel, Yes, No };

class Prompt {
public:
    virtual ~Prompt() = default;
    virtual PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                             PromptIcon icon) = 0;
};

// The prompt in use. Never null: before anything is installed it is the standard-error prompt.
Prompt& prompt();

// Installs p (not owned) and returns the previous one; nullptr restores the standard-error prompt.
Prompt* installPrompt(Prompt* p);

// Convenience for the common plain message: OK button, no icon.
PromptAnswer showMessage(const QString& text, const QString& title = QString());

// Writes every message to standard error and answers the first button (OK, or Yes).
class StderrPrompt : public Prompt {
public:
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override;
};
