#include "shell/ComparisonList.h"

#include "load/GraphModel.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "services/Prompt.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QSignalBlocker>
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

void ComparisonList::fill(const QString& file) {
    loadFile = file;
    const QSignalBlocker block(box);
    const QString shown = box->currentText();
    box->clear();
    for (const CompareChoice& choice : GraphModel::compareChoices(loadFile))
        box->addItem(choice.name, choice.path);
    box->setCurrentIndex(-1);
    box->setEditText(shown);
}

void ComparisonList::showAfterLoad(bool tell) {
    const Comparison& comparison = model.form.comparison;
    // The file stays in the form (a save writes the load as it was read); only what the list
    // shows, and the graph draws, says that there is nothing to compare with.
    const bool named = comparison.on && !comparison.file.isEmpty();
    const bool missing = named && GraphModel::existingCompareFile(comparison.file).isEmpty();
    const bool itself = named && GraphModel::isSameFile(comparison.file, loadFile);
    box->setEditText(missing || itself ? GraphText::noComparison()
                                       : comparison.listText(GraphText::noComparison()));
    if (missing && tell)
        showMessage(QStringLiteral("The comparison file \"%1\" named by this load is not there; "
                                   "the graph shows the load alone. Choose another in the list "
                                   "or with Options > Compare File.")
                        .arg(comparison.file),
                    QStringLiteral("Comparison File Not Found"));
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
    const int listed = box->findText(text.trimmed());
    const QString path = listed >= 0 && QFileInfo::exists(box->itemData(listed).toString())
                             ? box->itemData(listed).toString()
                             : GraphModel::compareFileFor(text, loadFile);
    // A name that is not (or no longer) a file of the folders listed: the comparison stays off,
    // and the user learns why.
    if (path.isEmpty() && !text.trimmed().isEmpty())
        MSmallBallStruct::reportNotFound(text.trimmed());
    model.form.comparison.setFile(path);
    emit changed();
}
