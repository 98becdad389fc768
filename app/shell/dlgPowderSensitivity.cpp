#include "shell/dlgPowderSensitivity.h"

#include "load/PrecisionFields.h"
#include "services/MNumber.h"
#include "services/Prompt.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace {
struct Box {
    const char* caption;
    const char* name;
};
constexpr Box boxes[] = {{"Velocity (fps)", "txtVelocity1"},
                         {"at \u00B0F", "txtTemperature1"},
                         {"Velocity (fps)", "txtVelocity2"},
                         {"at \u00B0F", "txtTemperature2"}};
} // namespace

dlgPowderSensitivity::dlgPowderSensitivity(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Powder Sensitivity"));
    setObjectName(QStringLiteral("dlgPowderSensitivity"));
    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("The muzzle velocity measured at two "
                                              "temperatures:"),
                               this),
                    0, 0, 1, 4);
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromUtf8(boxes[i].caption), this);
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QString::fromLatin1(boxes[i].name));
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

std::optional<QString> dlgPowderSensitivity::sensitivityText(QString& problem) const {
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
    const auto sensitivity = PrecisionFields::powderSensitivity(v[0], v[1], v[2], v[3], problem);
    if (!sensitivity) return std::nullopt;
    return MNumber::shortText(MNumber::roundDecimals(float(*sensitivity), 2));
}

void dlgPowderSensitivity::showResult() {
    QString problem;
    const auto text = sensitivityText(problem);
    lblResult->setText(text ? *text + QStringLiteral(" fps/\u00B0F") : problem);
}

void dlgPowderSensitivity::accept() {
    QString problem;
    const auto text = sensitivityText(problem);
    if (!text) {
        showMessage(problem, windowTitle());
        return;
    }
    acceptedText = *text;
    QDialog::accept();
}
