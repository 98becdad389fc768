#include "shell/ZonesCantBox.h"

#include "controls/LeaveCheck.h"
#include "load/LoadModel.h"
#include "load/PrecisionUnits.h"
#include "load/ZonesCantJump.h"
#include "services/Prompt.h"
#include "shell/dlgWindZones.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

ZonesCantBox::ZonesCantBox(LoadModel& model, QWidget* parent) : QWidget(parent), model(model) {
    setObjectName(QStringLiteral("fraZonesCant"));
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* cantLabel = new QLabel(QStringLiteral("Cant (\u00B0)"), this);
    txtCant = new QLineEdit(this);
    txtCant->setObjectName(QStringLiteral("txtCant"));
    txtCant->setToolTip(QStringLiteral("Rifle rolled clockwise as you see it (+): the bullet goes "
                                       "right and low. -45 to 45 degrees."));
    txtCant->setMaximumWidth(70);
    cantLabel->setBuddy(txtCant);
    chkAeroJump = new QCheckBox(QStringLiteral("Aerodynamic Jump"), this);
    chkAeroJump->setObjectName(QStringLiteral("chkAeroJump"));
    chkAeroJump->setToolTip(QStringLiteral("The crosswind at the muzzle lifts or drops a spinning "
                                           "bullet (needs twist, length and diameter)"));
    ZonesButton = new QPushButton(QStringLiteral("&Wind Zones\u2026"), this);
    ZonesButton->setObjectName(QStringLiteral("ZonesButton"));
    lblZones = new QLabel(this);
    lblZones->setObjectName(QStringLiteral("lblZones"));
    row->addWidget(cantLabel);
    row->addWidget(txtCant);
    row->addSpacing(12);
    row->addWidget(chkAeroJump);
    row->addSpacing(12);
    row->addWidget(ZonesButton);
    row->addWidget(lblZones, 1);

    connect(txtCant, &QLineEdit::textChanged, this,
            [this](const QString& text) { this->model.form.precision.cantDeg = text; });
    LeaveCheck::attach(txtCant, [this] { return cantRefuses(); });
    connect(chkAeroJump, &QCheckBox::toggled, this,
            [this](bool on) { this->model.form.precision.aerodynamicJump = on; });
    connect(ZonesButton, &QPushButton::clicked, this, &ZonesCantBox::editZones);
    showForm();
}

void ZonesCantBox::showForm() {
    // The form flows into the controls only: their change signals would write it back.
    const PrecisionForm& p = model.form.precision;
    const QSignalBlocker cantBlocker(txtCant);
    const QSignalBlocker jumpBlocker(chkAeroJump);
    if (txtCant->text() != p.cantDeg) txtCant->setText(p.cantDeg);
    chkAeroJump->setChecked(p.aerodynamicJump);
    lblZones->setText(p.windZones.isEmpty()
                          ? QStringLiteral("one wind all the way")
                          : PrecisionUnits::shownZones(model.fieldUnits(), p.windZones));
}

bool ZonesCantBox::cantRefuses() const {
    const QString problem = ZonesCantJump::cantProblem(txtCant->text());
    if (problem.isEmpty()) return false;
    showMessage(problem, QStringLiteral("Number out of Range"));
    return true;
}

void ZonesCantBox::editZones() {
    dlgWindZones dialog(model.form.precision.windZones, model.fieldUnits(), this);
    if (dialog.exec() != QDialog::Accepted) return;
    model.form.precision.windZones = dialog.zonesText();
    showForm();
}
