#include "shell/dlgPointBlank.h"

#include "controls/LeaveCheck.h"
#include "controls/NumberBox.h"
#include "controls/WaitCursor.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "services/Prompt.h"
#include "services/UnitText.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <cmath>

namespace {
// A size typed as a hair below zero still counts as zero.
constexpr double sizeFloor = -0.001;

QString inchMark() {
    return QStringLiteral("\"");
}

using Units::Quantity;
// A size box's decimals in centimetres.
constexpr int SizeDecimals = 1;

} // namespace

QString dlgPointBlank::vitalZoneTip() {
    return QString::fromLatin1(CPointBlank::targetLimit.message);
}

QString dlgPointBlank::groupSizeTip() {
    return QString::fromLatin1(CPointBlank::groupLimit.message);
}

dlgPointBlank::dlgPointBlank(LoadModel& model, CTextOutput& txt, QWidget* parent)
    : QDialog(parent), model(model), txt(txt) {
    setObjectName(QStringLiteral("dlgPointBlank"));
    setModal(true);
    setWindowTitle(QStringLiteral("Maximum Point Blank Range for the Current Load"));
    build();
    Form_Load();
}

dlgPointBlank::~dlgPointBlank() = default;

void dlgPointBlank::build() {
    txtVitalZone = NumberBox::input(this, "txtVitalZone", vitalZoneTip());
    txtGroupSize = NumberBox::input(this, "txtGroupSize", groupSizeTip());
    txtMaxRange = NumberBox::result(this, "txtMaxRange");
    txtSightIn = NumberBox::result(this, "txtSightIn");
    txtPointBlankZero = NumberBox::result(this, "txtPointBlankZero");

    for (size_t i = 0; i < Label1.size(); ++i) {
        Label1[i] = new QLabel(this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    Label1[0]->setText(QStringLiteral("Target Size: (in)"));
    Label1[2]->setWordWrap(true);
    Label1[0]->setBuddy(txtVitalZone);
    Label1[1]->setBuddy(txtGroupSize);

    btnCalculate = new QPushButton(QStringLiteral("Calculate"), this);
    btnCalculate->setObjectName(QStringLiteral("btnCalculate"));
    btnCalculate->setDefault(true);
    // Calculate (Enter) and Cancel (Esc) in the desktop's order.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addButton(btnCalculate, QDialogButtonBox::ActionRole);
    cmdCancel = buttons->button(QDialogButtonBox::Cancel);
    cmdCancel->setText(QStringLiteral("Cancel"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setAutoDefault(false);
    LeaveCheck::clickWithoutFocus(btnCalculate);
    LeaveCheck::clickWithoutFocus(cmdCancel);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const std::pair<int, QLineEdit*> rows[] = {{0, txtVitalZone},
                                               {1, txtGroupSize},
                                               {5, txtPointBlankZero},
                                               {3, txtMaxRange},
                                               {4, txtSightIn}};
    int row = 0;
    for (const auto& [label, box] : rows) {
        grid->addWidget(Label1[static_cast<size_t>(label)], row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1[2]);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons);
    setMinimumWidth(430);

    connect(btnCalculate, &QPushButton::clicked, this, &dlgPointBlank::btnCalculate_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(txtGroupSize, &QLineEdit::textChanged, this, &dlgPointBlank::txtGroupSize_Change);
    connect(txtVitalZone, &QLineEdit::textChanged, this, &dlgPointBlank::txtVitalZone_Change);
    LeaveCheck::attach(txtGroupSize, [this] { return txtGroupSize_Validate(); });
    LeaveCheck::attach(txtVitalZone, [this] { return txtVitalZone_Validate(); });
}

void dlgPointBlank::Form_Load() {
    // Sizes in the shooter's length unit, ranges in the shown range unit; the group and the
    // sight-in height are at 100 of the load's own range unit, as the calculation takes them.
    const Units::ShownUnits& units = model.units;
    const bool metric = model.form.isMetric();
    const bool rangeMetric = units.rangeInMetres(metric);
    const QString unit = rangeMetric ? QStringLiteral(" (m)") : QStringLiteral(" (yd)");
    const QString length = UnitText::symbol(units, Quantity::Length);
    targetLimit = UnitText::limit(units, Quantity::Length, CPointBlank::targetLimit,
                                  QStringLiteral("Target Size"), SizeDecimals);
    groupLimit = UnitText::limit(units, Quantity::Length, CPointBlank::groupLimit,
                                 QStringLiteral("Group size"), SizeDecimals);
    txtVitalZone->setToolTip(targetLimit.message);
    txtGroupSize->setToolTip(groupLimit.message);
    Label1[0]->setText(QStringLiteral("Target Size: (%1)").arg(length));
    Label1[1]->setText((metric ? QStringLiteral("Group Size @100 Meter: (%1)")
                               : QStringLiteral("Group Size @100 Yard: (%1)"))
                           .arg(length));
    Label1[3]->setText(QStringLiteral("Maximum Range") + unit);
    Label1[4]->setText(QStringLiteral("100 ") + (metric ? QStringLiteral("Meter Sight in (%1)")
                                                        : QStringLiteral("Yard Sight in (%1)"))
                                                    .arg(length));
    Label1[5]->setText(QStringLiteral("Point Blank Zero") + unit);
    Label1[2]->setText(QStringLiteral("If you aim for the center of the target, you will hit it "
                                      "out to the Point Blank Range without sight adjustment, if "
                                      "you shoot 0.0") +
                       (units.isStored(Quantity::Length) ? inchMark() : ' ' + length) +
                       QStringLiteral(" groups with no crosswind.\n") +
                       QStringLiteral("Group size reduces this distance, scaled for range."));
    showResults(false);
    // The boxes show the window's values; filling them runs their change handlers like typing.
    txtGroupSize->setText(sizeText(model.values.groupSize));
    txtVitalZone->setText(sizeText(model.values.killZone));
}

QString dlgPointBlank::sizeText(float inches) const {
    if (model.units.isStored(Quantity::Length)) return MNumber::shortText(inches, true);
    const double scale = std::pow(10.0, SizeDecimals);
    return MNumber::shortText(
        float(std::round(model.units.shown(Quantity::Length, inches) * scale) / scale), true);
}

std::optional<float> dlgPointBlank::typedInches(const QString& text) const {
    const auto value = MNumber::parse(text);
    if (!value || !(*value > sizeFloor)) return std::nullopt;
    return MNumber::toSingle(model.units.stored(Quantity::Length, *value));
}

void dlgPointBlank::showResults(bool visible) {
    for (QLineEdit* box : {txtMaxRange, txtSightIn, txtPointBlankZero})
        box->setVisible(visible);
}

void dlgPointBlank::txtGroupSize_Change(const QString& text) {
    if (const auto inches = typedInches(text)) model.values.groupSize = *inches;
}

void dlgPointBlank::txtVitalZone_Change(const QString& text) {
    model.values.isPointBlank = false;
    if (const auto inches = typedInches(text)) {
        model.values.killZone = *inches;
        model.values.isPointBlank = true;
    }
}

bool dlgPointBlank::txtGroupSize_Validate() {
    return MSmallBallStruct::boxRefuses(groupLimit.lower, groupLimit.upper, txtGroupSize->text(),
                                        groupLimit.message);
}

bool dlgPointBlank::txtVitalZone_Validate() {
    return MSmallBallStruct::boxRefuses(targetLimit.lower, targetLimit.upper, txtVitalZone->text(),
                                        targetLimit.message);
}

void dlgPointBlank::btnCalculate_Click() {
    showResults(false);
    // The focus stays in a box while the button is clicked, so its check runs here.
    const std::pair<QLineEdit*, bool (dlgPointBlank::*)()> boxes[] = {
        {txtVitalZone, &dlgPointBlank::txtVitalZone_Validate},
        {txtGroupSize, &dlgPointBlank::txtGroupSize_Validate}};
    for (const auto& [box, validate] : boxes) {
        if ((this->*validate)()) {
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    const float vital = MNumber::toSingle(*MNumber::parse(txtVitalZone->text())).value_or(0);
    const float group = MNumber::toSingle(*MNumber::parse(txtGroupSize->text())).value_or(0);
    if (vital <= group) {
        prompt().ask(QStringLiteral("Group Size must be smaller than Target Size"),
                     QStringLiteral("Invalid Number"), PromptButtons::OkCancel, PromptIcon::None);
        return;
    }

    WaitCursor wait;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    if (const QString problem = snapshot.loadProblem(); !problem.isEmpty()) {
        showMessage(problem, QStringLiteral("Number out of Range"));
        return;
    }
    if (!pointBlank) pointBlank = std::make_unique<CPointBlank>();
    const bool found = pointBlank->pointBlankRange(snapshot);
    Problems::report(pointBlank->solverFailures);
    if (!found) {
        if (pointBlank->failure) Problems::report(*pointBlank->failure);
        return;
    }
    // The ranges come in the load's own unit, the height in inches.
    const double rangeScale = model.units.rangeScale(model.form.isMetric());
    const auto range = [rangeScale](float value) { return float(value * rangeScale); };
    txtMaxRange->setText(
        rangeScale == 1.0
            ? MNumber::shortText(pointBlank->pbRange, true)
            : MNumber::shortText(MNumber::roundDecimals(range(pointBlank->pbRange), 1), true));
    txtPointBlankZero->setText(
        MNumber::shortText(MNumber::roundDecimals(range(pointBlank->pbZero), 1), true));
    txtSightIn->setText(MNumber::shortText(
        MNumber::roundDecimals(float(model.units.shown(Quantity::Length, pointBlank->zero100)), 1),
        true));
    showResults(true);
}
