// The prompt for tests of code that hands its problems back instead of showing them: a message
// the test did not script (PromptRecorder::expected or answers) fails the current test, so no
// test needs to assert that nothing was said.
#pragma once

#include "PromptRecorder.h"

#include <gtest/gtest.h>

class QuietPrompt : public PromptRecorder {
public:
    QuietPrompt() {
        onUnscripted = [](const QString& text) {
            ADD_FAILURE() << "unscripted message: " << text.toStdString();
        };
    }
    ~QuietPrompt() override {
        for (const QString& text : expected)
            ADD_FAILURE() << "expected message never came: " << text.toStdString();
    }
};
