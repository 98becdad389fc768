#include "shell/dlgChronoVel.h"

#include "shell/DialogButtons.h"

#include "controls/LeaveCheck.h"
#include "controls/NumberBox.h"
#include "controls/WaitCursor.h"
#include "load/InputFields.h"
#include "load/InputUnits.h"
#include "load/LoadModel.h"
#include "services/CChronoVelocity.h"
#include "services/FieldChecks.h"
#include "services/MNumber.h"
#include "services/UnitText.h"

#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

float single(const QLineEdit* box) {
    const auto value = MNumber::parse(box->text());
    return value ? MNumber::toSingle(*value).value_or(0) : 0;
}

using Units::Quantity;
// The distance box's decimals in metres: a chronograph stands a few metres out.
constexpr int DistanceDecimals = 2;

// A caption's classic unit, or the shooter's.
QString unitCaption(const QString& name, const Units::ShownUnits& units, Quantity q,
                    const char* classic) {
    return name + QStringLiteral(" (") +
           (units.isStored(q) ? QString::fromLatin1(classic) : UnitText::symbol(units, q)) + ')';
}

} // namespace

dlgChronoVel::dlgChronoVel(LoadModel& model, QWidget* parent) : QDialog(parent), model(model) {
    setObjectName(QStringLiteral("dlgChronoVel"));
    setModal(true);
    setWindowTitle(QStringLiteral("Chronograph Correction for Current Atmospheric Conditions"));
    build();
    Form_Load();
}

dlgChronoVel::~dlgChronoVel() = default;

void dlgChronoVel::build() {
    txtChronoVel = NumberBox::input(this, "txtChronoVel", CChronoVelocity::velocityLimit);
    txtChronoDist = NumberBox::input(this, "txtChronoDist", CChronoVelocity::distanceLimit);
    txtBc = NumberBox::input(this, "txtBc", CChronoVelocity::bcLimit);
    txtCalcMv = NumberBox::result(this, "txtCalcMv");
    txtVelDiff = NumberBox::result(this, "txtVelDiff");

    static const std::array<const char*, 8> captions = {
        "Calculated Muzzle Velocity (ft/sec)",
        "Calculates muzzle velocity from a velocity at a given downrange distance.",
        "Velocity Difference (ft/sec)",
        "Includes muzzle blast \"rocket effect\", so you can use this value as your ",
        "Chronograph Velocity (ft/sec)",
        "Chronograph Distance (ft)",
        "Ballistic Coefficient",
        "muzzle velocity in ballistic calculations."};
    for (size_t i = 0; i < Label1.size(); ++i) {
        Label1[i] = new QLabel(QString::fromLatin1(captions[i]), this);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
    }
    Label1[4]->setBuddy(txtChronoVel);
    Label1[5]->setBuddy(txtChronoDist);
    Label1[6]->setBuddy(txtBc);

    lblDragModel = new QLabel(this);
    lblDragModel->setObjectName(QStringLiteral("lblDragModel"));
    lblDragModel->setWordWrap(true);
    lblDragModel->hide();

    // Enter calculates and the dialog stays open; OK and Cancel (Escape) close it.
    cmdCalculate = new QPushButton(QStringLiteral("&Calculate"), this);
    cmdCalculate->setObjectName(QStringLiteral("cmdCalculate"));
    buttons = DialogButtons::okCancel(this, OKButton, CancelButton);
    buttons->addButton(cmdCalculate, QDialogButtonBox::ActionRole);
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    cmdCalculate->setDefault(true);
    LeaveCheck::clickWithoutFocus(cmdCalculate);
    LeaveCheck::clickWithoutFocus(OKButton);
    LeaveCheck::clickWithoutFocus(CancelButton);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    const std::pair<size_t, QLineEdit*> rows[] = {
        {4, txtChronoVel}, {5, txtChronoDist}, {6, txtBc}, {0, txtCalcMv}, {2, txtVelDiff}};
    int row = 0;
    for (const auto& [label, box] : rows) {
        grid->addWidget(Label1[label], row, 0);
        grid->addWidget(box, row, 1);
        ++row;
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1[1]);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    // Labels 3 and 7 read as one sentence.
    auto* note = new QVBoxLayout;
    note->setSpacing(0);
    note->addWidget(Label1[3]);
    note->addWidget(Label1[7]);
    layout->addLayout(note);
    layout->addWidget(lblDragModel);
    layout->addSpacing(6);
    layout->addWidget(buttons);

    connect(cmdCalculate, &QPushButton::clicked, this, &dlgChronoVel::cmdCalculate_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    LeaveCheck::attach(txtBc, [this] { return txtBc_Validate(); });
    LeaveCheck::attach(txtChronoDist, [this] { return txtChronoDist_Validate(); });
    LeaveCheck::attach(txtChronoVel, [this] { return txtChronoVel_Validate(); });
}

void dlgChronoVel::Form_Load() {
    showResults(false);
    // Velocities in the shooter's velocity unit, the distance in feet or metres as altitudes.
    const Units::ShownUnits& units = model.units;
    velocityLimit =
        UnitText::limit(units, Quantity::Velocity, CChronoVelocity::velocityLimit,
                        QStringLiteral("Velocity"), units.info(Quantity::Velocity).decimals);
    distanceLimit = UnitText::limit(units, Quantity::Altitude, CChronoVelocity::distanceLimit,
                                    QStringLiteral("Distance"), DistanceDecimals);
    txtChronoVel->setToolTip(velocityLimit.message);
    txtChronoDist->setToolTip(distanceLimit.message);
    Label1[0]->setText(unitCaption(QStringLiteral("Calculated Muzzle Velocity"), units,
                                   Quantity::Velocity, "ft/sec"));
    Label1[2]->setText(
        unitCaption(QStringLiteral("Velocity Difference"), units, Quantity::Velocity, "ft/sec"));
    Label1[4]->setText(
        unitCaption(QStringLiteral("Chronograph Velocity"), units, Quantity::Velocity, "ft/sec"));
    Label1[5]->setText(
        unitCaption(QStringLiteral("Chronograph Distance"), units, Quantity::Altitude, "ft"));
    // The coefficient a table of the load is handed when the atmosphere corrects it (the extra
    // fields on), else the BC field as typed.
    const LoadSnapshot snapshot = LoadSnapshot::of(model.form, model.values);
    const auto field = MNumber::parse(model.form.fields[InputFields::Bc]);
    const float fieldBc = field ? MNumber::toSingle(*field).value_or(0.0f) : 0.0f;
    const std::optional<float> handed = snapshot.handedBc();
    const bool corrected = handed && *handed > 0 && MSmallBallStruct::isNonZero(*handed - fieldBc);
    txtBc->setText(corrected ? MNumber::shortText(*handed, true)
                             : model.form.fields[InputFields::Bc]);
    txtChronoVel->setText(InputUnits::shownText(model.fieldUnits(), InputFields::MuzzleVelocity,
                                                model.form.fields[InputFields::MuzzleVelocity]));
    txtChronoDist->clear();
    // The correction flies G1; a precision load's BC belongs to its own drag table.
    const PrecisionForm& precision = model.form.precision;
    const QFileInfo table(precision.dragTable);
    if (precision.on &&
        table.completeBaseName().compare(QLatin1String("G1"), Qt::CaseInsensitive) != 0) {
        lblDragModel->setText(QStringLiteral("The Ballistic Coefficient is read against the G1 "
                                             "drag model; the load's precision model uses %1.")
                                  .arg(table.fileName()));
        lblDragModel->show();
    }
}

void dlgChronoVel::showResults(bool visible) {
    txtCalcMv->setVisible(visible);
    txtVelDiff->setVisible(visible);
}

bool dlgChronoVel::txtBc_Validate() {
    return LeaveCheck::refuses(txtBc, CChronoVelocity::bcLimit);
}
bool dlgChronoVel::txtChronoDist_Validate() {
    return MSmallBallStruct::boxRefuses(distanceLimit.lower, distanceLimit.upper,
                                        txtChronoDist->text(), distanceLimit.message);
}
bool dlgChronoVel::txtChronoVel_Validate() {
    return MSmallBallStruct::boxRefuses(velocityLimit.lower, velocityLimit.upper,
                                        txtChronoVel->text(), velocityLimit.message);
}

void dlgChronoVel::cmdCalculate_Click() {
    // The focus stays in a box while the button is clicked, so the checks run here.
    const std::pair<QLineEdit*, bool (dlgChronoVel::*)()> boxes[] = {
        {txtChronoVel, &dlgChronoVel::txtChronoVel_Validate},
        {txtChronoDist, &dlgChronoVel::txtChronoDist_Validate},
        {txtBc, &dlgChronoVel::txtBc_Validate}};
    for (const auto& [box, check] : boxes) {
        if ((this->*check)()) {
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    WaitCursor wait;
    // The correction works in ft/s and feet.
    const Units::ShownUnits& units = model.units;
    const float velocity = float(units.stored(Quantity::Velocity, single(txtChronoVel)));
    const float distance = float(units.stored(Quantity::Altitude, single(txtChronoDist)));
    if (!chrono) chrono = std::make_unique<CChronoVelocity>();
    const float result = chrono->chronoCorrect(single(txtBc), distance, velocity,
                                               model.form.fields[InputFields::Angle]);
    Problems::report(chrono->problems());
    if (!(result > 0)) {
        showResults(false);
        return;
    }
    txtCalcMv->setText(MNumber::shortText(
        MNumber::roundDecimals(float(units.shown(Quantity::Velocity, result)), 1), true));
    txtVelDiff->setText(MNumber::shortText(
        MNumber::roundDecimals(float(units.shownDifference(Quantity::Velocity, result - velocity)),
                               1),
        true));
    showResults(true);
}
