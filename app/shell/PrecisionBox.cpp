#include "shell/PrecisionBox.h"

#include "controls/LeaveCheck.h"
#include "load/DragTables.h"
#include "load/InputFields.h"
#include "load/LoadModel.h"
#include "load/PrecisionRows.h"
#include "load/PrecisionUnits.h"
#include "precision/BcFit.h"
#include "services/FieldChecks.h"
#include "services/FileChooser.h"
#include "services/MNumber.h"
#include "services/Prompt.h"
#include "shell/dlgPowderSensitivity.h"
#include "units/Units.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QToolButton>
#include <algorithm>

namespace {
constexpr int GridColumns = 4;
constexpr double LongestFitYd = 1000;
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
        labels[size_t(i)] = label;
        grid->addWidget(label, slot / GridColumns, (slot % GridColumns) * 2);
        if (i == Sensitivity) {
            // The calculator sits beside the field it fills.
            auto* cell = new QHBoxLayout;
            cell->setSpacing(2);
            cmdSensitivity = new QToolButton(this);
            cmdSensitivity->setObjectName(QStringLiteral("cmdSensitivity"));
            cmdSensitivity->setText(QStringLiteral("…"));
            cmdSensitivity->setToolTip(QStringLiteral("Powder sensitivity from the velocity "
                                                      "measured at two temperatures"));
            cell->addWidget(edit, 1);
            cell->addWidget(cmdSensitivity);
            grid->addLayout(cell, slot / GridColumns, (slot % GridColumns) * 2 + 1);
            connect(cmdSensitivity, &QToolButton::clicked, this,
                    &PrecisionBox::calculateSensitivity);
        } else {
            grid->addWidget(edit, slot / GridColumns, (slot % GridColumns) * 2 + 1);
        }
        inputs[size_t(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, [this, i](const QString& text) {
            this->model.form.precision.fields[size_t(i)] =
                PrecisionUnits::storedText(this->model.fieldUnits(), i, text);
        });
        LeaveCheck::attach(edit, [this, i] { return refuses(i); });
    }
    // The pressure field's reference: weather reports give it reduced to sea level. The Input
    // tab puts it beside the pressure field.
    cboPressure = new QComboBox(this);
    cboPressure->setObjectName(QStringLiteral("cboPressure"));
    cboPressure->addItems({QStringLiteral("Station"), QStringLiteral("Sea level")});
    cboPressure->setAccessibleName(QStringLiteral("Pressure is"));
    cboPressure->setToolTip(QStringLiteral("Station: the pressure where you shoot. Sea level: "
                                           "the pressure reduced to sea level (altimeter setting, "
                                           "as weather reports give it), converted through the "
                                           "altitude"));
    connect(cboPressure, &QComboBox::currentIndexChanged, this,
            [this](int index) { this->model.form.precision.seaLevelPressure = index == 1; });
    for (int c = 0; c < GridColumns; ++c)
        grid->setColumnStretch(c * 2 + 1, 1);
    setTabOrder(cboDragTable, inputs.front());
    for (int i = 0; i + 1 < Count; ++i)
        setTabOrder(inputs[size_t(i)], inputs[size_t(i + 1)]);

    fillDragList();
    connect(cboDragTable, &QComboBox::activated, this, [this](int index) {
        const QString entry = cboDragTable->itemData(index).toString();
        PrecisionForm& p = this->model.form.precision;
        if (entry.isEmpty()) {
            chooseCustomTable();
        } else if (PrecisionFields::isStandardDragTable(entry)) {
            switchTable(entry);
        } else if (DragTables::storedPath(entry, p.loadFolder) != p.dragTable) {
            p.dragTable = DragTables::storedPath(entry, p.loadFolder);
            emit dragTableChanged();
        }
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
    // It is held by its whole path, which stays right when the load is saved elsewhere; the
    // form names it relative to the load's folder when it lies there.
    if (!PrecisionFields::isStandardDragTable(table) && !table.isEmpty()) {
        const QString path = DragTables::pathOf(table, model.form.precision.loadFolder);
        cboDragTable->addItem(QFileInfo(table).fileName(), path);
        cboDragTable->setItemData(cboDragTable->count() - 1, path, Qt::ToolTipRole);
    }
    cboDragTable->addItem(PrecisionFields::customEntry(), QString());
}

void PrecisionBox::selectCurrentTable() {
    const QSignalBlocker blocker(cboDragTable);
    const QString& table = model.form.precision.dragTable;
    // The shooter's own file is the entry before "Custom…".
    cboDragTable->setCurrentIndex(PrecisionFields::isStandardDragTable(table)
                                      ? cboDragTable->findData(table)
                                      : cboDragTable->count() - 2);
}

void PrecisionBox::showForm() {
    // The form flows into the controls only: their change signals would write it back.
    // The captions and messages follow the shooter's units.
    const PrecisionForm& p = model.form.precision;
    const InputUnits::FieldUnits units = model.fieldUnits();
    for (int i = 0; i < PrecisionFields::Count; ++i) {
        QLineEdit* edit = inputs[size_t(i)];
        labels[size_t(i)]->setText(PrecisionUnits::caption(units, i));
        edit->setToolTip(PrecisionUnits::message(units, i));
        // A box that already shows the value keeps the text as typed.
        if (PrecisionUnits::storedText(units, i, edit->text()) == p.fields[size_t(i)]) continue;
        const QSignalBlocker blocker(edit);
        edit->setText(PrecisionUnits::shownText(units, i, p.fields[size_t(i)]));
    }
    fillDragList();
    selectCurrentTable();
    const QSignalBlocker blocker(cboPressure);
    cboPressure->setCurrentIndex(p.seaLevelPressure ? 1 : 0);
}

bool PrecisionBox::refuses(int index) const {
    // Checked as the file keeps it; the message names the shown unit.
    const QString text =
        PrecisionUnits::storedText(model.fieldUnits(), index, inputs[size_t(index)]->text());
    if (PrecisionFields::check(index, text).isEmpty()) return false;
    const PrecisionFields::Field& f = PrecisionFields::field(index);
    const QString message = PrecisionUnits::message(model.fieldUnits(), index);
    // Out of range or not a number: the box's message, titled as every box's.
    if (!MSmallBallStruct::boxRefuses(f.lower, f.upper, text, message))
        showMessage(message, QStringLiteral("Number out of Range"));
    return true;
}

void PrecisionBox::chooseCustomTable() {
    const QString path = FileDialogs::chooseOpenPath(
        QStringLiteral("Drag Table"),
        QStringLiteral("Drag Tables (*.csv;*.drg)|*.csv;*.drg|All Files (*.*)|*.*"));
    if (const QString problem = DragTables::unsavablePath(path); !problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Drag Table"));
    } else if (!path.isEmpty()) {
        PrecisionForm& p = model.form.precision;
        // A file in the load's folder or below it is named relative to the load, so the two
        // can be moved or copied together.
        const QString stored = DragTables::storedPath(path, p.loadFolder);
        const DragTables::Loaded table = DragTables::load(stored, p.loadFolder);
        if (table.curve) {
            p.dragTable = stored;
            fillDragList();
            emit dragTableChanged();
        } else {
            showMessage(table.problem, QStringLiteral("Drag Table"));
        }
    }
    selectCurrentTable();
}

void PrecisionBox::switchTable(const QString& table) {
    const QString previous = model.form.precision.dragTable;
    if (table == previous) return;
    model.form.precision.dragTable = table;
    emit dragTableChanged();
    if (PrecisionFields::isStandardDragTable(previous) &&
        PrecisionFields::isStandardDragTable(table))
        offerEquivalentBc(previous, table);
    warnImplausibleBc();
}

void PrecisionBox::offerEquivalentBc(const QString& from, const QString& to) {
    using namespace InputFields;
    const auto bc = MNumber::parse(model.form.fields[Bc]);
    if (!bc || *bc <= 0) return;
    const DragTables::Loaded fromTable = DragTables::load(from), toTable = DragTables::load(to);
    if (!fromTable.curve || !toTable.curve) return;
    // The load as the table flies it, at its maximum range or 1000 yd, whichever is less.
    CInput load = model.values.in1;
    PrecisionRows::Inputs in{&load,
                             &load,
                             &model.form.precision,
                             model.values.pressure,
                             model.values.humidity,
                             0,
                             model.form.isMetric()};
    in.muzzleVelocity = MNumber::parse(model.form.fields[MuzzleVelocity]).value_or(0.0);
    precision::Shot shot = PrecisionRows::shot(in);
    shot.bc = *bc;
    const double toYards = model.form.isMetric() ? Units::YardsPerMetre : 1.0;
    const double rangeYd = std::min(double(load.imaxyds) * toYards, LongestFitYd);
    if (rangeYd <= 0) return;
    const auto equivalent =
        precision::equivalentBc(shot, *fromTable.curve, *toTable.curve, rangeYd);
    if (!equivalent) return;
    const QString bcText = MNumber::shortText(MNumber::roundDecimals(float(*equivalent), 3));
    const QString range =
        QString::number(std::lround(rangeYd / toYards)) +
        (model.form.isMetric() ? QStringLiteral(" meters") : QStringLiteral(" yards"));
    const QString text =
        QStringLiteral("The BC %1 was read against the %2 drag table. On the %3 table the same "
                       "drop at %4 takes a BC of %5.")
            .arg(model.form.fields[Bc].trimmed(), from, to, range, bcText);
    // A coefficient the BC field does not take is only told, and the BC stays as it is.
    const Field& bcField = field(Bc);
    const float single = MNumber::roundDecimals(float(*equivalent), 3);
    if (single < bcField.lower || single > bcField.upper) {
        prompt().ask(text + QStringLiteral("\n\nThat is outside what the BC field takes (%1 "
                                           "to %2); the BC stays %3.")
                                .arg(MNumber::shortText(bcField.lower),
                                     MNumber::shortText(bcField.upper),
                                     model.form.fields[Bc].trimmed()),
                     QStringLiteral("BC (%1)").arg(to), PromptButtons::Ok, PromptIcon::Information);
        return;
    }
    if (prompt().ask(text + QStringLiteral("\n\nPut %1 in the BC field?").arg(bcText),
                     QStringLiteral("BC (%1)").arg(to), PromptButtons::YesNo,
                     PromptIcon::Question) != PromptAnswer::Yes)
        return;
    Problems::report(model.setFieldText(Bc, bcText));
    if (model.fieldTextChangedByModel) model.fieldTextChangedByModel(Bc);
}

void PrecisionBox::warnImplausibleBc() {
    const PrecisionForm& p = model.form.precision;
    const auto bc = MNumber::parse(model.form.fields[InputFields::Bc]);
    if (!p.on || !bc) return;
    const QString warning = PrecisionFields::implausibleBc(p.dragTable, *bc);
    const QString key = p.dragTable + '|' + MNumber::shortText(float(*bc));
    if (warning.isEmpty() || key == warnedBc) return;
    warnedBc = key;
    prompt().ask(warning, QStringLiteral("BC (%1)").arg(p.dragTable), PromptButtons::Ok,
                 PromptIcon::Exclamation);
}

void PrecisionBox::calculateSensitivity() {
    dlgPowderSensitivity dialog(model.units, this);
    if (dialog.exec() != QDialog::Accepted) return;
    // The calculator hands over ft/s per degree F, as the form keeps it.
    inputs[PrecisionFields::Sensitivity]->setText(PrecisionUnits::shownText(
        model.fieldUnits(), PrecisionFields::Sensitivity, dialog.accepted()));
}
