#include "shell/dlgPowderSensitivity.h"

#include "load/SensitivityReadings.h"
#include "services/MNumber.h"
#include "services/Prompt.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
constexpr const char* boxNames[] = {"txtVelocity1", "txtTemperature1", "txtVelocity2",
                                    "txtTemperature2"};
} // namespace

dlgPowderSensitivity::dlgPowderSensitivity(const Units::ShownUnits& units, QWidget* parent)
    : QDialog(parent), units(units) {
    setWindowTitle(QStringLiteral("Powder Sensitivity"));
    setObjectName(QStringLiteral("dlgPowderSensitivity"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("The muzzle velocity measured at two "
                                              "temperatures:"),
                               this),
                    0, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        // Velocities in the shooter's velocity unit, temperatures in his temperature unit.
        auto* label = new QLabel(i % 2 == 0 ? SensitivityReadings::velocityCaption(units)
                                            : SensitivityReadings::temperatureCaption(units),
                                 this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(boxNames[i]));
        label->setBuddy(edit);
        grid->addWidget(label, 1 + i / 2, (i % 2) * 2);
        grid->addWidget(edit, 1 + i / 2, (i % 2) * 2 + 1);
        inputs[size_t(i)] = edit;
        connect(edit, &QLineEdit::textChanged, this, &dlgPowderSensitivity::showResult);
    }
    lblResult = new QLabel(this);
    lblResult->setObjectName(QStringLiteral("lblSensitivity"));
    grid->addWidget(lblResult, 3, 0, 1, 4);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &dlgPowderSensitivity::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &dlgPowderSensitivity::reject);
    grid->addWidget(buttons, 4, 0, 1, 4);
    showResult();
}

std::optional<SensitivityReadings::Sensitivity>
dlgPowderSensitivity::sensitivity(QString& problem) const {
    std::array<double, 4> v{};
    for (size_t i = 0; i < v.size(); ++i) {
        const auto number = MNumber::parse(inputs[i]->text());
        if (!number) {
            problem = QStringLiteral("Enter both velocities and the temperatures they were "
                                     "measured at.");
            return std::nullopt;
        }
        v[i] = *number;
    }
    return SensitivityReadings::fromReadings(units, v, problem);
}

void dlgPowderSensitivity::showResult() {
    QString problem;
    const auto result = sensitivity(problem);
    lblResult->setText(result ? result->shown + SensitivityReadings::sensitivityUnit(units)
                              : problem);
}

void dlgPowderSensitivity::accept() {
    QString problem;
    const auto result = sensitivity(problem);
    if (!result) {
        showMessage(problem, windowTitle());
        return;
    }
    acceptedText = result->stored;
    QDialog::accept();
}
