#include "shell/InputTab.h"

#include "load/GraphModel.h"
#include "load/InputUnits.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "shell/NotesBox.h"
#include "shell/PrecisionBox.h"
#include "shell/ZonesCantBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QVBoxLayout>

namespace {

using namespace InputFields;

constexpr int GridColumns = 4;
constexpr int GridRows = (Count + GridColumns - 1) / GridColumns;

constexpr int CompareLabel = 20;
constexpr int DragLabel = 22;

// The drift's caption names its wind in the shooter's unit (applyUnits).
const char* const yAxisCaptions[] = {"Drop", "Velocity", "Energy", "Wind Drift 10mph"};

// Scoped flag: set while the page writes into its own controls.
class FlagGuard {
public:
    explicit FlagGuard(bool& flag) : flag(flag), previous(flag) { flag = true; }
    ~FlagGuard() { flag = previous; }
    FlagGuard(const FlagGuard&) = delete;
    FlagGuard& operator=(const FlagGuard&) = delete;

private:
    bool& flag;
    bool previous;
};

} // namespace

InputTab::InputTab(LoadModel& model, QWidget* parent) : QWidget(parent), model(model) {
    build();
    connectEdits();
    showForm();
}

void InputTab::build() {
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(16, 16, 16, 12);
    page->setSpacing(14);
    page->addWidget(buildFieldGrid());
    page->addWidget(buildChoices());
    precisionBox = new PrecisionBox(model, this);
    page->addWidget(precisionBox);
    // The pressure's reference (station or sea level) sits beside the pressure it qualifies.
    precisionBox->pressureReference()->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    pressureCell->layout()->addWidget(precisionBox->pressureReference());
    zonesCantBox = new ZonesCantBox(model, this);
    page->addWidget(zonesCantBox);

    auto* notesLabel = new QLabel(QStringLiteral("Load Notes"), this);
    notesLabel->setObjectName(QStringLiteral("lblNotes"));
    txtNotes = new QPlainTextEdit(this);
    txtNotes->setObjectName(QStringLiteral("txtNotes"));
    NotesBox::configure(txtNotes);
    notesLabel->setBuddy(txtNotes);
    page->addWidget(notesLabel);
    page->addWidget(txtNotes, 1);
}

QWidget* InputTab::buildFieldGrid() {
    auto* box = new QWidget(this);
    fieldGrid = new QGridLayout(box);
    fieldGrid->setContentsMargins(0, 0, 0, 0);
    fieldGrid->setHorizontalSpacing(10);
    fieldGrid->setVerticalSpacing(8);
    for (int i = 0; i < Count; ++i) {
        const int labelIndex = captionLabel(i);
        auto* label = new QLabel(QString::fromUtf8(field(i).caption), box);
        label->setObjectName(QStringLiteral("Label1_%1").arg(labelIndex));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* edit = new QLineEdit(box);
        edit->setObjectName(QStringLiteral("txtInput_%1").arg(i));
        edit->setMinimumWidth(110);
        label->setBuddy(edit);
        labels[static_cast<size_t>(labelIndex)] = label;
        fields[static_cast<size_t>(i)] = edit;
        fieldIndex.insert(edit, i);
    }
    pressureCell = new QWidget(box);
    auto* pressureLayout = new QHBoxLayout(pressureCell);
    pressureLayout->setContentsMargins(0, 0, 0, 0);
    pressureLayout->setSpacing(4);
    pressureLayout->addWidget(fields[Pressure], 1);
    for (int c = 0; c < GridColumns; ++c) {
        fieldGrid->setColumnStretch(c * 2 + 1, 1);
        fieldGrid->setColumnMinimumWidth(c * 2, 110);
    }
    // Tab moves through the fields in their order.
    for (int i = 0; i + 1 < Count; ++i)
        setTabOrder(fields[static_cast<size_t>(i)], fields[static_cast<size_t>(i + 1)]);
    arrangeFields();
    return box;
}

void InputTab::arrangeFields() {
    // The fields that show run down the columns in their order (the bullet first, then the
    // conditions, the coefficients and the extras), so hiding the extras leaves no holes.
    int slot = 0;
    for (int i = 0; i < Count; ++i) {
        QLineEdit* edit = fields[static_cast<size_t>(i)];
        QLabel* label = labels[static_cast<size_t>(captionLabel(i))];
        QWidget* cell = i == Pressure ? pressureCell : edit;
        fieldGrid->removeWidget(label);
        fieldGrid->removeWidget(cell);
        if (i == Pressure) pressureCell->setVisible(!edit->isHidden());
        if (edit->isHidden()) continue;
        const int row = slot % GridRows;
        const int column = (slot / GridRows) * 2;
        fieldGrid->addWidget(label, row, column);
        fieldGrid->addWidget(cell, row, column + 1);
        ++slot;
    }
}

QWidget* InputTab::buildChoices() {
    auto* box = new QWidget(this);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(10);

    auto* dragLabel = new QLabel(QStringLiteral("Drag Model"), box);
    dragLabel->setObjectName(QStringLiteral("Label1_%1").arg(DragLabel));
    dragLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cboDrag = new QComboBox(box);
    cboDrag->setObjectName(QStringLiteral("cboDrag"));
    cboDrag->setToolTip(QStringLiteral("G1 is what manufacturers use"));
    cboDrag->setMinimumContentsLength(14);
    dragLabel->setBuddy(cboDrag);
    // Hidden with the extras, but keeping its place: the comparison list stays where it is.
    QSizePolicy keepPlace = cboDrag->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    cboDrag->setSizePolicy(keepPlace);
    labels[DragLabel] = dragLabel;

    auto* compareLabel = new QLabel(QStringLiteral("Compare to:"), box);
    compareLabel->setObjectName(QStringLiteral("Label1_%1").arg(CompareLabel));
    compareLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    cboCompare = new QComboBox(box);
    cboCompare->setObjectName(QStringLiteral("cboCompare"));
    cboCompare->setEditable(true);
    cboCompare->setInsertPolicy(QComboBox::NoInsert);
    cboCompare->setMinimumContentsLength(14);
    compareLabel->setBuddy(cboCompare);
    QSizePolicy labelKeepsPlace = dragLabel->sizePolicy();
    labelKeepsPlace.setRetainSizeWhenHidden(true);
    dragLabel->setSizePolicy(labelKeepsPlace);
    labels[CompareLabel] = compareLabel;
    compareSlot = new QHBoxLayout;
    compareSlot->setContentsMargins(0, 0, 0, 0);
    compareSlot->addWidget(cboCompare);

    // Below the fields, lined up with their columns.
    fieldGrid->addWidget(dragLabel, GridRows, 0);
    fieldGrid->addWidget(cboDrag, GridRows, 1);
    fieldGrid->addWidget(compareLabel, GridRows, 2);
    fieldGrid->addLayout(compareSlot, GridRows, 3);

    auto* units = new QGroupBox(QStringLiteral("Range Units"), box);
    units->setObjectName(QStringLiteral("fraRangeUnits"));
    auto* unitsLayout = new QHBoxLayout(units);
    const char* const unitCaptions[] = {"Yard", "Meter"};
    for (int i = 0; i < 2; ++i) {
        optMetric[i] = new QRadioButton(QString::fromLatin1(unitCaptions[i]), units);
        optMetric[i]->setObjectName(QStringLiteral("optMetric_%1").arg(i));
        unitsLayout->addWidget(optMetric[i]);
    }
    optMetric[0]->setToolTip(QStringLiteral("Only affects range"));

    auto* display = new QGroupBox(QStringLiteral("Display"), box);
    display->setObjectName(QStringLiteral("fraDisplay"));
    auto* displayLayout = new QHBoxLayout(display);
    chkAdvanced = new QCheckBox(QStringLiteral("Advanced"), display);
    chkAdvanced->setObjectName(QStringLiteral("chkAdvanced"));
    chkAdvanced->setToolTip(QStringLiteral("Show extra fields"));
    chkMilrange = new QCheckBox(QStringLiteral("MilRange"), display);
    chkMilrange->setObjectName(QStringLiteral("chkMilrange"));
    chkMilrange->setToolTip(QStringLiteral("Show MilInch ranging system in Table"));
    chkPrecision = new QCheckBox(QStringLiteral("Precision"), display);
    chkPrecision->setObjectName(QStringLiteral("chkPrecision"));
    chkPrecision->setToolTip(QStringLiteral("Drag by Mach number, real air, spin drift, Coriolis "
                                            "and powder temperature"));
    displayLayout->addWidget(chkAdvanced);
    displayLayout->addWidget(chkMilrange);
    displayLayout->addWidget(chkPrecision);

    auto* yAxis = new QGroupBox(QStringLiteral("Graph Y-Axis"), box);
    yAxis->setObjectName(QStringLiteral("fraYaxis"));
    auto* yAxisLayout = new QHBoxLayout(yAxis);
    for (int i = 0; i < 4; ++i) {
        optYaxis[i] = new QRadioButton(QString::fromLatin1(yAxisCaptions[i]), yAxis);
        optYaxis[i]->setObjectName(QStringLiteral("optYaxis_%1").arg(i));
        yAxisLayout->addWidget(optYaxis[i]);
    }

    auto* row = new QHBoxLayout;
    row->setSpacing(12);
    row->addWidget(units);
    row->addWidget(display);
    row->addWidget(yAxis);
    row->addStretch(1);
    grid->addLayout(row, 0, 0);
    return box;
}

void InputTab::connectEdits() {
    for (int i = 0; i < Count; ++i) {
        connect(fields[static_cast<size_t>(i)], &QLineEdit::textChanged, this,
                [this, i](const QString& text) {
                    Problems::report(
                        model.setFieldText(i, InputUnits::storedText(model.fieldUnits(), i, text)));
                });
    }
    model.fieldTextChangedByModel = [this](int index) { showFieldText(index); };

    connect(cboDrag, &QComboBox::currentIndexChanged, this,
            [this](int index) { model.form.dragIndex = index; });
    // The ranges keep their numbers in the load's new unit; how they show may change.
    connect(optMetric[1], &QRadioButton::toggled, this, [this](bool on) {
        model.form.optMetric1 = on;
        applyUnits();
    });
    for (int i = 0; i < 4; ++i) {
        connect(optYaxis[i], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on) model.form.yAxis = i;
        });
    }
    connect(chkAdvanced, &QCheckBox::toggled, this, [this](bool on) {
        model.form.chkAdvanced = on ? 1 : 0;
        applyAdvanced();
    });
    connect(chkMilrange, &QCheckBox::toggled, this, [this](bool on) {
        model.form.chkMilrange = on ? 1 : 0;
        applyMilRange();
    });
    connect(chkPrecision, &QCheckBox::toggled, this, [this](bool on) {
        model.form.precision.setOn(on);
        applyPrecision();
        if (on) precisionBox->warnImplausibleBc();
    });
    connect(precisionBox, &PrecisionBox::dragTableChanged, this,
            [this] { setBcCaption(TableRefresh::precisionBcCaption(model.form.precision)); });
    connect(txtNotes, &QPlainTextEdit::textChanged, this,
            [this] { model.form.notes = NotesBox::read(txtNotes); });
    connect(qApp, &QApplication::focusChanged, this, &InputTab::onFocusChanged);
}

void InputTab::showForm() {
    // The form flows into the controls only: their change signals would write it back, so they
    // are held until the controls show it; the views that follow the form are set after, the
    // fields' texts last (applyUnits), once the range unit they show in is known.
    const auto& form = model.form;
    const QSignalBlocker blockers[] = {
        QSignalBlocker(cboDrag),      QSignalBlocker(optMetric[0]), QSignalBlocker(optMetric[1]),
        QSignalBlocker(optYaxis[0]),  QSignalBlocker(optYaxis[1]),  QSignalBlocker(optYaxis[2]),
        QSignalBlocker(optYaxis[3]),  QSignalBlocker(chkAdvanced),  QSignalBlocker(chkMilrange),
        QSignalBlocker(chkPrecision), QSignalBlocker(txtNotes)};
    cboDrag->setCurrentIndex(form.dragIndex < cboDrag->count() ? form.dragIndex : -1);
    optMetric[form.optMetric1 ? 1 : 0]->setChecked(true);
    const int yAxis = form.yAxis >= 0 && form.yAxis < 4 ? form.yAxis : 0;
    optYaxis[yAxis]->setChecked(true);
    chkAdvanced->setChecked(form.chkAdvanced != 0);
    chkMilrange->setChecked(form.chkMilrange != 0);
    chkPrecision->setChecked(form.precision.on);
    precisionBox->showForm();
    zonesCantBox->showForm();
    if (NotesBox::read(txtNotes) != form.notes) NotesBox::show(txtNotes, form.notes);
    applyAdvanced();
    applyMilRange();
    applyPrecision();
    applyUnits(); // the captions and ranges follow the load's range unit
}

void InputTab::showFieldText(int index) {
    if (index < 0 || index >= Count) return;
    QLineEdit* edit = fields[static_cast<size_t>(index)];
    const QString text = InputUnits::shownText(model.fieldUnits(), index,
                                               model.form.fields[static_cast<size_t>(index)]);
    if (edit->text() == text) return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
}

void InputTab::applyToolTips() {
    for (int i = 0; i < Count; ++i)
        fields[static_cast<size_t>(i)]->setToolTip(InputUnits::limitMessage(
            model.fieldUnits(), i, limit(i, model.form.isPrecision(), model.form.isMetric())));
}

void InputTab::applyUnits() {
    for (int i = 0; i < Count; ++i) {
        if (InputUnits::quantity(i) != Units::Quantity::Count)
            labels[static_cast<size_t>(captionLabel(i))]->setText(
                InputUnits::caption(model.fieldUnits(), i));
        // Shown anew in the new unit, without a change: the form already holds the value.
        showFieldText(i);
    }
    optYaxis[3]->setText(GraphText::windDriftChoice(model.units));
    applyToolTips();
}

void InputTab::applyAdvanced() {
    // The precision model reads every extra field, so they show while it is on.
    const bool visible = model.form.isAdvanced();
    for (int index : advancedFields())
        fields[static_cast<size_t>(index)]->setVisible(visible);
    for (int index : advancedLabels())
        labels[static_cast<size_t>(index)]->setVisible(visible);
    cboDrag->setVisible(visible);
    arrangeFields();
}

void InputTab::applyPrecision() {
    // The precision model takes its drag from its own table; the classic list stays as the
    // load has it for when the model is switched off.
    const bool precise = model.form.isPrecision();
    precisionBox->setVisible(precise);
    precisionBox->pressureReference()->setVisible(precise);
    zonesCantBox->setVisible(precise);
    applyToolTips(); // the precision model's wider limits
    // The precision model names the BC's drag table; the classic caption waits for a table.
    // The classic caption shows a corrected coefficient once a table has handed one over.
    setBcCaption(precise ? TableRefresh::precisionBcCaption(model.form.precision)
                         : QStringLiteral("BC"));
    cboDrag->setEnabled(!precise);
    cboDrag->setToolTip(precise ? QStringLiteral("The precision model uses its own drag table")
                                : QStringLiteral("G1 is what manufacturers use"));
    applyAdvanced();
}

void InputTab::applyMilRange() {
    const bool visible = model.form.chkMilrange != 0;
    fields[ScopeMag]->setVisible(visible);
    labels[captionLabel(ScopeMag)]->setVisible(visible);
    arrangeFields();
}

void InputTab::fillDragList() {
    QStringList names;
    model.values.drag.init(names);
    const QSignalBlocker blocker(cboDrag);
    cboDrag->addItems(names);
    const int index = model.form.dragIndex;
    cboDrag->setCurrentIndex(index >= 0 && index < cboDrag->count() ? index : -1);
}

void InputTab::takeBackCompareBox() {
    if (compareSlot->indexOf(cboCompare) >= 0) return;
    compareSlot->addWidget(cboCompare);
    cboCompare->setVisible(true);
}

void InputTab::setBcCaption(const QString& caption) {
    labels[Bc]->setText(caption);
}

void InputTab::onFocusChanged(QWidget* old, QWidget* now) {
    // Only a move to another control of the same window leaves a field: focus going to a message
    // box, a dialog or another program is not the user moving on.
    if (validating || restoringField >= 0 || !old || !now || now->window() != window() ||
        old->window() != window())
        return;
    const auto found = fieldIndex.constFind(old);
    if (found == fieldIndex.constEnd()) return;
    const int index = found.value();

    const FlagGuard guard(validating);
    if (!model.validateAndWarn(index)) {
        if (index == Bc) precisionBox->warnImplausibleBc();
        // What shows is what is computed: the value the record takes, in the field's unit.
        Problems::report(model.settleField(index));
        showFieldText(index);
        return;
    }
    if (isAncestorOf(now) && old->isVisible()) {
        old->setFocus(Qt::OtherFocusReason);
        return;
    }
    // The focus went off the page (another tab is being shown): the switch finishes first,
    // then the page comes back with the field focused. Until then the field is not checked
    // again, so the message shows once.
    restoringField = index;
    QTimer::singleShot(0, this, [this, index] {
        const FlagGuard again(validating);
        emit fieldNeedsAttention(index);
        fields[static_cast<size_t>(index)]->setFocus(Qt::OtherFocusReason);
        restoringField = -1;
    });
}
