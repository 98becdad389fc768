#include "shell/ComparisonList.h"

#include "load/GraphModel.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"

#include <QComboBox>
#include <QLineEdit>
#include <memory>

ComparisonList::ComparisonList(QComboBox* box, LoadModel& model, QObject* parent)
    : QObject(parent), box(box), model(model) {
    connectBox();
}

void ComparisonList::connectBox() {
    connect(box, &QComboBox::textActivated, this, &ComparisonList::chooseName);
    // Leaving the box after typing a name; merely passing through it changes nothing.
    QLineEdit* edit = box->lineEdit();
    if (!edit) return;
    auto typed = std::make_shared<bool>(false);
    connect(edit, &QLineEdit::textEdited, this, [typed] { *typed = true; });
    connect(box, &QComboBox::textActivated, this, [typed] { *typed = false; });
    connect(edit, &QLineEdit::editingFinished, this, [this, typed] {
        if (!*typed) return;
        *typed = false;
        chooseName(box->currentText());
    });
}

void ComparisonList::showAfterLoad() {
    box->setEditText(model.form.comparison.listText(GraphText::noComparison()));
}

void ComparisonList::setUseCompare(bool on) {
    model.form.comparison.on = on;
    box->setEditText(model.form.comparison.listText(GraphText::notComparing()));
    emit changed();
}

void ComparisonList::chooseFile(const QString& path) {
    Comparison& comparison = model.form.comparison;
    comparison.setFile(path);
    comparison.on = true;
    box->setEditText(comparison.name);
    emit changed();
}

void ComparisonList::chooseName(const QString& text) {
    const QString path = GraphModel::compareFileFor(text);
    // A name that is not (or no longer) a file of the folder: the comparison stays off, and the
    // user learns why.
    if (path.isEmpty() && !text.trimmed().isEmpty())
        MSmallBallStruct::reportNotFound(MSmallBallStruct::appPath(text.trimmed()));
    model.form.comparison.setFile(path);
    emit changed();
}
