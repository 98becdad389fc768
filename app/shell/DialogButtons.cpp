#include "shell/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLayout>
#include <QWidget>

namespace DialogButtons {

void followLayout(QWidget* previous, QDialogButtonBox* box) {
    QLayout* layout = box->layout();
    if (!layout) return;
    for (int i = 0; i < layout->count(); ++i) {
        QWidget* button = layout->itemAt(i)->widget();
        if (!button || button->focusPolicy() == Qt::NoFocus) continue;
        if (previous) QWidget::setTabOrder(previous, button);
        previous = button;
    }
}

} // namespace DialogButtons
