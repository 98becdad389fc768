#include "shell/dlgTrueVelocity.h"

#include "controls/LeaveCheck.h"
#include "controls/NumberBox.h"
#include "controls/WaitCursor.h"
#include "load/LoadModel.h"
#include "load/Truing.h"
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
    cboHeightUnit->addItems(
        {QStringLiteral("inches"), moa ? QStringLiteral("clicks") : QStringLiteral("mils")});

    const bool metric = model.form.isMetric();
    auto* intro = new QLabel(
        QStringLiteral("Finds the muzzle velocity that gives the height you saw at one range.\n"
                       "Give the height as the table shows it: below the line of sight is "
                       "negative."),
        this);
    auto* rangeLabel =
        new QLabel(metric ? QStringLiteral("Range (m)") : QStringLiteral("Range (yards)"), this);
    rangeLabel->setBuddy(txtRange);
    auto* heightLabel = new QLabel(QStringLiteral("Observed Height"), this);
    heightLabel->setBuddy(txtHeight);
    auto* loadLabel = new QLabel(QStringLiteral("Load Muzzle Velocity (ft/sec)"), this);
    auto* truedLabel = new QLabel(QStringLiteral("Trued Muzzle Velocity (ft/sec)"), this);

    TrueButton = new QPushButton(QStringLiteral("&True"), this);
    TrueButton->setObjectName(QStringLiteral("TrueButton"));
    TrueButton->setDefault(true);
    // True (Enter), OK and Cancel (Esc) in the desktop's order.
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    buttons->addButton(TrueButton, QDialogButtonBox::ActionRole);
    OKButton = buttons->button(QDialogButtonBox::Ok);
    OKButton->setText(QStringLiteral("OK"));
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setEnabled(false);
    CancelButton = buttons->button(QDialogButtonBox::Cancel);
    CancelButton->setText(QStringLiteral("Cancel"));
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
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
    return LeaveCheck::refuses(txtRange, rangeLimit);
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
    const float range = float(MNumber::parse(txtRange->text()).value_or(0.0));
    double height = MNumber::parse(txtHeight->text()).value_or(0.0);

    WaitCursor wait;
    if (cboHeightUnit->currentIndex() == 1)
        height =
            Truing::inchesFromCorrection(height, range, model.values.isMoa, model.form.isMetric());
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    const Truing::Result result = Truing::trueVelocity(snapshot, range, height);
    Problems::report(result.solverFailures);
    if (!result.velocity) {
        showMessage(result.problem, Title);
        return;
    }
    txtLoadMv->setText(MNumber::shortText(float(result.loadVelocity)));
    txtTruedMv->setText(MNumber::shortText(float(*result.velocity)));
    trued = result.velocity;
    showResults(true);
}
