#include "shell/DialogButtons.h"

#include <QDialogButtonBox>
#include <QLayout>
#include <QPushButton>
#include <QWidget>

namespace DialogButtons {

QDialogButtonBox* okCancel(QWidget* parent, QPushButton*& ok, QPushButton*& cancel) {
    auto* box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, parent);
    box->setObjectName(QStringLiteral("buttons"));
    ok = box->button(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    ok->setText(QStringLiteral("OK"));
    cancel = box->button(QDialogButtonBox::Cancel);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setText(QStringLiteral("Cancel"));
    return box;
}

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
