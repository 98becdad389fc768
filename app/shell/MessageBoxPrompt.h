// The prompt of the windowed program: every message of the application appears as a modal
// message box over the active window, with the buttons, icon and title asked for.
#pragma once

#include "services/Prompt.h"

class QWidget;

class MessageBoxPrompt : public Prompt {
public:
    // parent: the window the boxes are centred on; null means the active window.
    explicit MessageBoxPrompt(QWidget* parent = nullptr) : parent(parent) {}

    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override;

    QWidget* parent;
};
