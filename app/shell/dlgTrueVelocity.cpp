#include "shell/dlgTrueVelocity.h"

#include "shell/DialogButtons.h"

#include "controls/LeaveCheck.h"
#include "controls/NumberBox.h"
#include "controls/WaitCursor.h"
#include "load/LoadModel.h"
#include "load/Truing.h"
#include "load/TruingUnits.h"
#include "services/FieldChecks.h"
#include "services/InputLimit.h"
#include "services/MNumber.h"
#include "services/Prompt.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("True Muzzle Velocity");

constexpr InputLimit rangeLimit{Truing::ShortestRange, Truing::LongestRange,
                                "Range in range 1/2000."};
// Any height a sight could be off by; the search says when the load cannot give it.
constexpr InputLimit heightLimit{-100000.0f, 100000.0f, "Height in range -100000/100000."};

} // namespace

dlgTrueVelocity::dlgTrueVelocity(LoadModel& model, QWidget* parent)
    : QDialog(parent), model(model) {
    setObjectName(QStringLiteral("dlgTrueVelocity"));
    setModal(true);
    setWindowTitle(Title);
    build();
    showResults(false);
}

void dlgTrueVelocity::build() {
    txtRange = NumberBox::input(this, "txtRange", rangeLimit);
    txtHeight = NumberBox::input(this, "txtHeight", heightLimit);
    txtLoadMv = NumberBox::result(this, "txtLoadMv");
    txtTruedMv = NumberBox::result(this, "txtTruedMv");

    // The correction column of the table is in clicks (quarter MOA) or in mils.
    const bool moa = model.values.isMoa;
    cboHeightUnit = new QComboBox(this);
    cboHeightUnit->setObjectName(QStringLiteral("cboHeightUnit"));
    const InputUnits::FieldUnits units = model.fieldUnits();
    cboHeightUnit->addItems({TruingUnits::heightUnitName(units),
                             moa ? QStringLiteral("clicks") : QStringLiteral("mils")});

    auto* intro = new QLabel(
        QStringLiteral("Finds the muzzle velocity that gives the height you saw at one range.\n"
                       "Give the height as the table shows it: below the line of sight is "
                       "negative."),
        this);
    auto* rangeLabel = new QLabel(TruingUnits::rangeCaption(units), this);
    rangeLabel->setBuddy(txtRange);
    auto* heightLabel = new QLabel(QStringLiteral("Observed Height"), this);
    heightLabel->setBuddy(txtHeight);
    auto* loadLabel = new QLabel(
        TruingUnits::velocityCaption(units, QStringLiteral("Load Muzzle Velocity")), this);
    auto* truedLabel = new QLabel(
        TruingUnits::velocityCaption(units, QStringLiteral("Trued Muzzle Velocity")), this);
    if (units.units.rangeScale(units.loadMetric) != 1.0) {
        rangeMessage = QStringLiteral("Range must be between %1 and %2 %3.")
                           .arg(MNumber::shortText(float(TruingUnits::shortestRange(units))),
                                MNumber::shortText(float(TruingUnits::longestRange(units))),
                                units.units.rangeInMetres(units.loadMetric) ? QStringLiteral("m")
                                                                            : QStringLiteral("yd"));
        txtRange->setToolTip(rangeMessage);
    }

    TrueButton = new QPushButton(QStringLiteral("&True"), this);
    TrueButton->setObjectName(QStringLiteral("TrueButton"));
    TrueButton->setDefault(true);
    // True (Enter), OK and Cancel (Esc) in the desktop's order.
    auto* buttons = DialogButtons::okCancel(this, OKButton, CancelButton);
    buttons->addButton(TrueButton, QDialogButtonBox::ActionRole);
    OKButton->setEnabled(false);
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    for (QPushButton* button : {TrueButton, OKButton, CancelButton})
        LeaveCheck::clickWithoutFocus(button);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(12);
    grid->addWidget(rangeLabel, 0, 0);
    grid->addWidget(txtRange, 0, 1);
    grid->addWidget(heightLabel, 1, 0);
    grid->addWidget(txtHeight, 1, 1);
    grid->addWidget(cboHeightUnit, 1, 2);
    grid->addWidget(loadLabel, 2, 0);
    grid->addWidget(txtLoadMv, 2, 1);
    grid->addWidget(truedLabel, 3, 0);
    grid->addWidget(txtTruedMv, 3, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addSpacing(6);
    layout->addLayout(grid);
    layout->addSpacing(6);
    layout->addWidget(buttons);

    connect(TrueButton, &QPushButton::clicked, this, &dlgTrueVelocity::TrueButton_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A changed question makes the last answer stale.
    for (QLineEdit* box : {txtRange, txtHeight})
        connect(box, &QLineEdit::textEdited, this, [this] { showResults(false); });
    connect(cboHeightUnit, &QComboBox::currentIndexChanged, this, [this] { showResults(false); });
    LeaveCheck::attach(txtRange, [this] { return rangeRefused(); });
    LeaveCheck::attach(txtHeight, [this] { return heightRefused(); });
}

void dlgTrueVelocity::showResults(bool visible) {
    txtLoadMv->setVisible(visible);
    txtTruedMv->setVisible(visible);
    OKButton->setEnabled(visible && trued.has_value());
    if (!visible) trued.reset();
}

bool dlgTrueVelocity::rangeRefused() {
    if (rangeMessage.isEmpty()) return LeaveCheck::refuses(txtRange, rangeLimit);
    const InputUnits::FieldUnits units = model.fieldUnits();
    return MSmallBallStruct::boxRefuses(float(TruingUnits::shortestRange(units)),
                                        float(TruingUnits::longestRange(units)), txtRange->text(),
                                        rangeMessage);
}

bool dlgTrueVelocity::heightRefused() {
    return LeaveCheck::refuses(txtHeight, heightLimit);
}

void dlgTrueVelocity::TrueButton_Click() {
    // The focus may still be in a box, so its check runs here.
    for (const auto& [box, refused] : {std::pair{txtRange, &dlgTrueVelocity::rangeRefused},
                                       std::pair{txtHeight, &dlgTrueVelocity::heightRefused}}) {
        if ((this->*refused)()) {
            box->setFocus();
            box->selectAll();
            return;
        }
    }
    showResults(false);
    // The truing takes the load's range unit and inches.
    const InputUnits::FieldUnits units = model.fieldUnits();
    const auto range =
        float(TruingUnits::loadRange(units, MNumber::parse(txtRange->text()).value_or(0.0)));
    const double height =
        TruingUnits::observedInches(units, MNumber::parse(txtHeight->text()).value_or(0.0),
                                    cboHeightUnit->currentIndex() == 1, range, model.values.isMoa);

    WaitCursor wait;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    const Truing::Result result = Truing::trueVelocity(snapshot, range, height);
    Problems::report(result.solverFailures);
    if (!result.velocity) {
        showMessage(result.problem, Title);
        return;
    }
    txtLoadMv->setText(TruingUnits::velocityText(units, result.loadVelocity));
    txtTruedMv->setText(TruingUnits::velocityText(units, *result.velocity));
    trued = result.velocity;
    showResults(true);
}
