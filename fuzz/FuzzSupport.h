// What every fuzz target shares: a temporary application folder with the solver libraries, a
// prompt that swallows the readers' messages, and the input written to a file, because the
// readers take paths.
#pragma once

#include "services/Prompt.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzz {

// Answers every message with its first button and counts it; nothing reaches standard error,
// so a reader that reports each bad field does not flood the fuzzer's output.
class SilentPrompt : public Prompt {
public:
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override;
    long messages = 0;
    QString lastText; // the last message, for targets that check what was said
};

// Set up once per process: the application folder (with the solver libraries linked in), the
// user data folder inside it, and the silent prompt.
struct Environment {
    Environment();
    QTemporaryDir folder;
    SilentPrompt prompt;

    // Writes the fuzzer's bytes to `name` in the application folder and returns its path.
    QString write(const QString& name, const uint8_t* data, size_t size) const;
    QString path(const QString& name) const;
};

Environment& environment();

// Stops the run with a report the fuzzer records as a crash: for properties that must hold.
[[noreturn]] void fail(const char* what);

} // namespace fuzz
