#include "shell/PrecisionBox.h"

#include "controls/LeaveCheck.h"
#include "load/DragTables.h"
#include "load/LoadModel.h"
#include "services/FileChooser.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/Prompt.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

namespace {
constexpr int GridColumns = 4;
} // namespace

PrecisionBox::PrecisionBox(LoadModel& model, QWidget* parent)
    : QGroupBox(QStringLiteral("Precision Model"), parent), model(model) {
    setObjectName(QStringLiteral("fraPrecision"));
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);

    auto* dragLabel = new QLabel(QStringLiteral("Drag Table"), this);
    dragLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cboDragTable = new QComboBox(this);
    cboDragTable->setObjectName(QStringLiteral("cboDragTable"));
    cboDragTable->setToolTip(QStringLiteral("Drag by Mach number: a standard table or your own "
                                            "CSV file of Mach and Cd"));
    cboDragTable->setMinimumContentsLength(10);
    dragLabel->setBuddy(cboDragTable);
    grid->addWidget(dragLabel, 0, 0);
    grid->addWidget(cboDragTable, 0, 1);

    using namespace PrecisionFields;
    for (int i = 0; i < Count; ++i) {
        const int slot = i + 1; // after the drag table
        auto* label = new QLabel(QString::fromUtf8(field(i).caption), this);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("txtPrecision_%1").arg(i));
        edit->setToolTip(QString::fromUtf8(field(i).message));
        edit->setMinimumWidth(90);
        label->setBuddy(edit);
        grid->addWidget(label, slot / GridColumns, (slot % GridColumns) * 2);
        grid->addWidget(edit, slot / GridColumns, (slot % GridColumns) * 2 + 1);
        inputs[size_t(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            if (!showing) this->model.form.precision.fields[size_t(i)] = text;
        });
        LeaveCheck::attach(edit, [this, i] { return refuses(i); });
    }
    for (int c = 0; c < GridColumns; ++c)
        grid->setColumnStretch(c * 2 + 1, 1);
    setTabOrder(cboDragTable, inputs.front());
    for (int i = 0; i + 1 < Count; ++i)
        setTabOrder(inputs[size_t(i)], inputs[size_t(i + 1)]);

    fillDragList();
    connect(cboDragTable, &QComboBox::activated, this, [this](int index) {
        const QString entry = cboDragTable->itemData(index).toString();
        if (entry.isEmpty())
            chooseCustomTable();
        else
            this->model.form.precision.dragTable = entry;
    });
    showForm();
}

void PrecisionBox::fillDragList() {
    const QSignalBlocker blocker(cboDragTable);
    cboDragTable->clear();
    for (const QString& name : PrecisionFields::standardDragTables())
        cboDragTable->addItem(name, name);
    const QString& table = model.form.precision.dragTable;
    // The shooter's own file, by its name; the list's last entry picks another one.
    if (!PrecisionFields::isStandardDragTable(table) && !table.isEmpty()) {
        cboDragTable->addItem(QFileInfo(table).fileName(), table);
        cboDragTable->setItemData(cboDragTable->count() - 1, table, Qt::ToolTipRole);
    }
    cboDragTable->addItem(PrecisionFields::customEntry(), QString());
}

void PrecisionBox::selectCurrentTable() {
    const QSignalBlocker blocker(cboDragTable);
    cboDragTable->setCurrentIndex(cboDragTable->findData(model.form.precision.dragTable));
}

void PrecisionBox::showForm() {
    showing = true;
    const PrecisionForm& p = model.form.precision;
    for (int i = 0; i < PrecisionFields::Count; ++i)
        if (inputs[size_t(i)]->text() != p.fields[size_t(i)])
            inputs[size_t(i)]->setText(p.fields[size_t(i)]);
    fillDragList();
    selectCurrentTable();
    showing = false;
}

bool PrecisionBox::refuses(int index) const {
    const QString text = inputs[size_t(index)]->text();
    if (PrecisionFields::check(index, text).isEmpty()) return false;
    const PrecisionFields::Field& f = PrecisionFields::field(index);
    // Out of range or not a number: the box's message, titled as every box's.
    if (!MSmallBallStruct::boxRefuses(f.lower, f.upper, text, QString::fromUtf8(f.message)))
        showMessage(QString::fromUtf8(f.message), QStringLiteral("Number out of Range"));
    return true;
}

void PrecisionBox::chooseCustomTable() {
    const QString path = FileDialogs::chooseOpenPath(
        QStringLiteral("Drag Table"),
        QStringLiteral("Drag Tables (*.csv)|*.csv|All Files (*.*)|*.*"));
    if (const QString problem = DragTables::unsavablePath(path); !problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Drag Table"));
    } else if (!path.isEmpty()) {
        const DragTables::Loaded table = DragTables::load(path);
        if (table.curve) {
            model.form.precision.dragTable = path;
            fillDragList();
        } else {
            showMessage(table.problem, QStringLiteral("Drag Table"));
        }
    }
    selectCurrentTable();
}
