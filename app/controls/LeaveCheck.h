// The check that runs when the focus leaves a text box of a dialog: a refusing check puts the
// focus back into the box, so the user corrects the text before going on. Buttons that should
// not trigger the check take the focus from the keyboard only (see clickWithoutFocus).
#pragma once

#include <QObject>
#include <functional>

class QAbstractButton;
class QLineEdit;
class QWidget;
struct InputLimit;

class LeaveCheck : public QObject {
    Q_OBJECT
public:
    // check: true keeps the focus in the box (it shows its own message, if any).
    using Check = std::function<bool()>;

    // Watches `edit` (the check object is owned by the edit).
    static LeaveCheck* attach(QLineEdit* edit, Check check);
    // The check of a dialog's number box: a text that is not a number, or a number outside the
    // limit, shows the box's message (titled "Not a Number" or "Number out of Range") and keeps
    // the focus. True when the box refuses its text.
    static bool refuses(QLineEdit* box, const InputLimit& limit);
    // A click on the button leaves the focus where it is, so a button like Cancel does not run
    // the check of the box the user is typing in.
    static void clickWithoutFocus(QAbstractButton* button);
    // Brings the tab pages holding `widget` to the front (a refused box the user clicked away
    // from, onto another tab, is shown again).
    static void showPageOf(QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    LeaveCheck(QLineEdit* edit, Check check);

    QLineEdit* edit;
    Check check;
    bool running = false; // the check's message box moves the focus around
};
