// QuietPrompt for the Qt Test suites (the windows): a message the test did not script
// (PromptRecorder::expected or answers) fails the current test function, and so does an expected
// message that never came, so no test needs to assert that nothing was said.
#pragma once

#include "PromptRecorder.h"

#include <QTest>

class QuietQtPrompt : public PromptRecorder {
public:
    QuietQtPrompt() {
        onUnscripted = [](const QString& text) {
            QTest::qFail(qPrintable(QStringLiteral("unscripted message: ") + text), __FILE__,
                         __LINE__);
        };
    }
    ~QuietQtPrompt() override {
        for (const QString& text : expected)
            QTest::qFail(qPrintable(QStringLiteral("expected message never came: ") + text),
                         __FILE__, __LINE__);
    }
    QuietQtPrompt(const QuietQtPrompt&) = delete;
    QuietQtPrompt& operator=(const QuietQtPrompt&) = delete;
};
