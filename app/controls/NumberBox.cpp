#include "controls/NumberBox.h"

#include "services/InputLimit.h"

#include <QLineEdit>

namespace NumberBox {

namespace {

QLineEdit* box(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(110);
    edit->setAlignment(Qt::AlignRight);
    return edit;
}

} // namespace

QLineEdit* input(QWidget* parent, const char* name, const QString& toolTip) {
    QLineEdit* edit = box(parent, name);
    edit->setToolTip(toolTip);
    return edit;
}

QLineEdit* input(QWidget* parent, const char* name, const InputLimit& limit) {
    return input(parent, name, QString::fromLatin1(limit.message));
}

QLineEdit* result(QWidget* parent, const char* name) {
    QLineEdit* edit = box(parent, name);
    edit->setReadOnly(true);
    QSizePolicy policy = edit->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    edit->setSizePolicy(policy);
    return edit;
}

} // namespace NumberBox
