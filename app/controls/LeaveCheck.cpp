#include "controls/LeaveCheck.h"

#include "services/FieldChecks.h"
#include "services/InputLimit.h"

#include <QAbstractButton>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTimer>

LeaveCheck::LeaveCheck(QLineEdit* edit, Check check)
    : QObject(edit), edit(edit), check(std::move(check)) {
    edit->installEventFilter(this);
}

LeaveCheck* LeaveCheck::attach(QLineEdit* edit, Check check) {
    return new LeaveCheck(edit, std::move(check));
}

bool LeaveCheck::refuses(QLineEdit* box, const InputLimit& limit) {
    return MSmallBallStruct::boxRefuses(limit.lower, limit.upper, box->text(), box->toolTip());
}

void LeaveCheck::clickWithoutFocus(QAbstractButton* button) {
    button->setFocusPolicy(Qt::TabFocus);
}

void LeaveCheck::showPageOf(QWidget* widget) {
    for (QWidget* w = widget; w && w->parentWidget(); w = w->parentWidget()) {
        QWidget* stack = w->parentWidget();
        auto* tabs = qobject_cast<QTabWidget*>(stack->parentWidget());
        if (qobject_cast<QStackedWidget*>(stack) && tabs && tabs->indexOf(w) >= 0)
            tabs->setCurrentWidget(w);
    }
}

bool LeaveCheck::eventFilter(QObject* watched, QEvent* event) {
    if (watched != edit || event->type() != QEvent::FocusOut || running) return false;
    const auto reason = static_cast<QFocusEvent*>(event)->reason();
    // Only a move to another control of the same window counts as leaving the box; switching
    // windows, opening a menu or closing the dialog does not.
    const bool leaving = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                         reason == Qt::MouseFocusReason || reason == Qt::ShortcutFocusReason;
    if (!leaving || !edit->window()->isVisible()) return false;
    running = true;
    const bool keep = check();
    running = false;
    if (keep) {
        QPointer<QLineEdit> box(edit);
        QTimer::singleShot(0, edit, [box] {
            if (!box) return;
            // A click on another tab has shown another page by now: the box's own comes back.
            showPageOf(box);
            box->setFocus(Qt::OtherFocusReason);
            box->selectAll();
        });
    }
    return false;
}
