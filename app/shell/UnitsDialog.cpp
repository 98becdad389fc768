#include "shell/UnitsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <vector>

namespace {

enum Preset { Imperial, Metric, Custom };

struct QuantityRow {
    Units::Quantity quantity;
    const char* label;
    const char* objectName;
};

constexpr QuantityRow quantityRows[] = {
    {Units::Quantity::Velocity, "&Velocity", "cboVelocity"},
    {Units::Quantity::Weight, "Bullet &weight", "cboWeight"},
    {Units::Quantity::Length, "&Drop, drift, lead, target and group", "cboLength"},
    {Units::Quantity::SightHeight, "&Sight height, bullet length and diameter", "cboSightHeight"},
    {Units::Quantity::WindSpeed, "W&ind and target speed", "cboWindSpeed"},
    {Units::Quantity::Temperature, "&Temperature", "cboTemperature"},
    {Units::Quantity::Pressure, "&Pressure", "cboPressure"},
    {Units::Quantity::Altitude, "&Altitude", "cboAltitude"},
    {Units::Quantity::Energy, "&Energy", "cboEnergy"},
};

} // namespace

UnitsDialog::UnitsDialog(const Units::ShownUnits& units, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("dlgUnits"));
    setWindowTitle(QStringLiteral("Units"));
    auto* page = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    page->addLayout(form);

    const auto addRow = [&](const char* label, QComboBox* box) {
        auto* caption = new QLabel(QString::fromUtf8(label), this);
        caption->setBuddy(box);
        form->addRow(caption, box);
    };
    cboPreset = new QComboBox(this);
    cboPreset->setObjectName(QStringLiteral("cboPreset"));
    cboPreset->addItems(
        {QStringLiteral("Imperial"), QStringLiteral("Metric"), QStringLiteral("Custom")});
    addRow("Unit s&ystem", cboPreset);

    cboRange = new QComboBox(this);
    cboRange->setObjectName(QStringLiteral("cboRange"));
    cboRange->addItem(QStringLiteral("The load's own (Yard / Meter)"),
                      int(Units::RangeChoice::LoadOwn));
    cboRange->addItem(QStringLiteral("yd"), int(Units::RangeChoice::Yards));
    cboRange->addItem(QStringLiteral("m"), int(Units::RangeChoice::Metres));
    addRow("&Range", cboRange);
    connect(cboRange, &QComboBox::currentIndexChanged, this, &UnitsDialog::choiceChanged);

    for (const QuantityRow& row : quantityRows) {
        auto* box = new QComboBox(this);
        box->setObjectName(QString::fromLatin1(row.objectName));
        for (const Units::UnitInfo& u : Units::UnitTable)
            if (u.quantity == row.quantity) box->addItem(QString::fromUtf8(u.symbol), int(u.unit));
        addRow(row.label, box);
        cboQuantity[size_t(row.quantity)] = box;
        connect(box, &QComboBox::currentIndexChanged, this, &UnitsDialog::choiceChanged);
    }

    cboClick = new QComboBox(this);
    cboClick->setObjectName(QStringLiteral("cboClick"));
    for (const Units::ClickInfo& c : Units::ClickTable)
        cboClick->addItem(QString::fromLatin1(c.label), int(c.click));
    cboClick->setToolTip(QStringLiteral("What one click of the turrets moves: the table's "
                                        "click columns count these"));
    addRow("&Click value", cboClick);
    connect(cboClick, &QComboBox::currentIndexChanged, this, &UnitsDialog::choiceChanged);

    auto* note = new QLabel(QStringLiteral("Load files keep their own units: these change only "
                                           "what is shown and typed."),
                            this);
    note->setWordWrap(true);
    page->addWidget(note);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    page->addWidget(buttons);

    show(units);
    connect(cboPreset, &QComboBox::currentIndexChanged, this, &UnitsDialog::presetChosen);
}

Units::ShownUnits UnitsDialog::units() const {
    Units::ShownUnits u;
    u.range = Units::RangeChoice(cboRange->currentData().toInt());
    for (const QuantityRow& row : quantityRows)
        u.set(row.quantity, Units::Unit(cboQuantity[size_t(row.quantity)]->currentData().toInt()));
    u.click = Units::Click(cboClick->currentData().toInt());
    return u;
}

void UnitsDialog::show(const Units::ShownUnits& units) {
    // The lists are set together; the preset follows once they all show the units.
    std::vector<QSignalBlocker> blockers;
    blockers.emplace_back(cboRange);
    blockers.emplace_back(cboClick);
    for (const QuantityRow& row : quantityRows)
        blockers.emplace_back(cboQuantity[size_t(row.quantity)]);
    cboRange->setCurrentIndex(cboRange->findData(int(units.range)));
    for (const QuantityRow& row : quantityRows) {
        QComboBox* box = cboQuantity[size_t(row.quantity)];
        box->setCurrentIndex(box->findData(int(units.unit(row.quantity))));
    }
    cboClick->setCurrentIndex(cboClick->findData(int(units.click)));
    blockers.clear();
    choiceChanged();
}

void UnitsDialog::presetChosen(int index) {
    if (index == Imperial) show(Units::ShownUnits::imperial());
    if (index == Metric) show(Units::ShownUnits::metric());
}

void UnitsDialog::choiceChanged() {
    const Units::ShownUnits now = units();
    const int preset = now == Units::ShownUnits::imperial() ? Imperial
                       : now == Units::ShownUnits::metric() ? Metric
                                                            : Custom;
    const QSignalBlocker blocker(cboPreset);
    cboPreset->setCurrentIndex(preset);
}
