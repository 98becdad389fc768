#include "shell/MessageBoxPrompt.h"

#include <QApplication>
#include <QMessageBox>

namespace {

struct ButtonSet {
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::StandardButton escapeButton;
};

ButtonSet buttonSet(PromptButtons buttons) {
    switch (buttons) {
    case PromptButtons::OkCancel:
        return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok, QMessageBox::Cancel};
    case PromptButtons::YesNo:
        return {QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes, QMessageBox::No};
    case PromptButtons::YesNoCancel:
        return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes,
                QMessageBox::Cancel};
    case PromptButtons::Ok:
        break;
    }
    return {QMessageBox::Ok, QMessageBox::Ok, QMessageBox::Ok};
}

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Exclamation:
        return QMessageBox::Warning;
    case PromptIcon::Question:
        return QMessageBox::Question;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

PromptAnswer answerOf(int button) {
    switch (button) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    case QMessageBox::Cancel:
        return PromptAnswer::Cancel;
    default:
        return PromptAnswer::Ok;
    }
}

} // namespace

PromptAnswer MessageBoxPrompt::ask(const QString& text, const QString& title, PromptButtons buttons,
                                   PromptIcon icon) {
    const ButtonSet set = buttonSet(buttons);
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    // A box without a title of its own carries the program's name, as desktop programs do.
    const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
    QMessageBox box(boxIcon(icon), caption, text, set.buttons, owner);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    const int clicked = box.exec();
    // Closing a box that has a Cancel button counts as Cancel; otherwise as its escape button.
    return answerOf(clicked);
}
