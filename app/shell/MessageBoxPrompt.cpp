#include "shell/MessageBoxPrompt.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QSpacerItem>

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

// A message is read, not scrolled: a text of thousands of characters (a damaged file's line
// quoted in full) is cut in the middle, which also keeps the box from laying out megabytes.
constexpr qsizetype LongestText = 2000;
QString readable(const QString& text) {
    if (text.size() <= LongestText) return text;
    const qsizetype half = LongestText / 2;
    return text.left(half) + QStringLiteral(" \u2026 ") + text.right(half);
}

// A box is as wide as its text needs, which can be narrower than its title; the title bar then
// cuts the title. The window manager's title font is not known here; the application's font
// plus room for the bar's buttons is a fair guess.
void fitTitle(QMessageBox& box, const QString& title) {
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid) return;
    constexpr int TitleBarButtons = 140;
    const int wanted = QFontMetrics(box.font()).horizontalAdvance(title) + TitleBarButtons;
    grid->addItem(new QSpacerItem(wanted, 0, QSizePolicy::Minimum, QSizePolicy::Expanding),
                  grid->rowCount(), 0, 1, grid->columnCount());
}

} // namespace

PromptAnswer MessageBoxPrompt::ask(const QString& text, const QString& title, PromptButtons buttons,
                                   PromptIcon icon) {
    const ButtonSet set = buttonSet(buttons);
    QWidget* owner = parent ? parent : QApplication::activeWindow();
    // A box without a title of its own carries the program's name, as desktop programs do.
    const QString caption = title.isEmpty() ? QApplication::applicationName() : title;
    QMessageBox box(boxIcon(icon), caption, readable(text), set.buttons, owner);
    fitTitle(box, caption);
    box.setDefaultButton(set.defaultButton);
    box.setEscapeButton(set.escapeButton);
    const int clicked = box.exec();
    // Closing a box that has a Cancel button counts as Cancel; otherwise as its escape button.
    return answerOf(clicked);
}
