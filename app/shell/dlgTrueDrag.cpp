#include "shell/dlgTrueDrag.h"

#include "controls/LeaveCheck.h"
#include "controls/WaitCursor.h"
#include "load/LoadModel.h"
#include "load/Truing.h"
#include "load/TruingUnits.h"
#include "services/MNumber.h"
#include "services/Prompt.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <cmath>

namespace {
const QString Title = QStringLiteral("True Drag");
}

dlgTrueDrag::dlgTrueDrag(LoadModel& model, QWidget* parent) : QDialog(parent), model(model) {
    setObjectName(QStringLiteral("dlgTrueDrag"));
    setModal(true);
    setWindowTitle(Title);
    const InputUnits::FieldUnits units = model.fieldUnits();
    auto* intro = new QLabel(
        QStringLiteral("Give the ranges and the heights you saw there, as the table shows them "
                       "(below the line of sight is negative).\nTrue the muzzle velocity first, "
                       "with a close observation; the drag with observations past %1.")
            .arg(TrueDrag::nearRangeText(units.units, units.loadMetric)),
        this);
    tblObservations = new QTableWidget(TrueDrag::MostObservations, 2, this);
    tblObservations->setObjectName(QStringLiteral("tblObservations"));
    tblObservations->setHorizontalHeaderLabels(
        {TruingUnits::rangeCaption(units), QStringLiteral("Observed Height")});
    tblObservations->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    cboHeightUnit = new QComboBox(this);
    cboHeightUnit->setObjectName(QStringLiteral("cboHeightUnit"));
    cboHeightUnit->addItems({TruingUnits::heightUnitName(units), model.values.isMoa
                                                                     ? QStringLiteral("clicks")
                                                                     : QStringLiteral("mils")});
    txtFit = new QPlainTextEdit(this);
    txtFit->setObjectName(QStringLiteral("txtFit"));
    txtFit->setReadOnly(true);
    txtFit->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lblWarning = new QLabel(TrueDrag::nearWarning(units.units, units.loadMetric), this);
    lblWarning->setObjectName(QStringLiteral("lblWarning"));
    lblWarning->setWordWrap(true);
    lblWarning->setStyleSheet(QStringLiteral("color: #a00000"));

    TrueButton = new QPushButton(QStringLiteral("&True"), this);
    TrueButton->setObjectName(QStringLiteral("TrueButton"));
    TrueButton->setDefault(true);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    for (QPushButton* button : {TrueButton, OKButton, CancelButton})
        LeaveCheck::clickWithoutFocus(button);

    auto* unitRow = new QHBoxLayout;
    unitRow->addWidget(new QLabel(QStringLiteral("Heights in"), this));
    unitRow->addWidget(cboHeightUnit);
    unitRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(TrueButton);
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(tblObservations);
    layout->addLayout(unitRow);
    layout->addWidget(txtFit);
    layout->addWidget(lblWarning);
    layout->addLayout(buttons);
    resize(560, 560);

    connect(TrueButton, &QPushButton::clicked, this, &dlgTrueDrag::TrueButton_Click);
    connect(OKButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(tblObservations, &QTableWidget::itemChanged, this, [this] { showResults(false); });
    connect(cboHeightUnit, &QComboBox::currentIndexChanged, this, [this] { showResults(false); });
    showResults(false);
}

void dlgTrueDrag::showResults(bool visible) {
    txtFit->setVisible(visible);
    lblWarning->setVisible(visible && trued && trued->allNear);
    OKButton->setEnabled(visible && trued.has_value());
    if (!visible) trued.reset();
}

void dlgTrueDrag::TrueButton_Click() {
    showResults(false);
    // The truing takes the load's range unit and inches.
    const InputUnits::FieldUnits units = model.fieldUnits();
    const double shortest = TruingUnits::shortestRange(units);
    const double longest = TruingUnits::longestRange(units);
    std::vector<TrueDrag::Observation> observations;
    for (int r = 0; r < tblObservations->rowCount(); ++r) {
        const auto cell = [&](int c) {
            const QTableWidgetItem* item = tblObservations->item(r, c);
            return item ? item->text().trimmed() : QString();
        };
        if (cell(0).isEmpty() && cell(1).isEmpty()) continue;
        const auto range = MNumber::parse(cell(0));
        const auto height = MNumber::parse(cell(1));
        if (!range || !height || !(*range >= shortest) || !(*range <= longest) ||
            !std::isfinite(*height)) {
            showMessage(
                QStringLiteral("Row %1: give a range from %2 to %3 and a height.")
                    .arg(r + 1)
                    .arg(MNumber::shortText(float(shortest)), MNumber::shortText(float(longest))),
                Title);
            return;
        }
        const double loadRange = TruingUnits::loadRange(units, *range);
        const double heightIn =
            TruingUnits::observedInches(units, *height, cboHeightUnit->currentIndex() == 1,
                                        float(loadRange), model.values.isMoa);
        observations.push_back({loadRange, heightIn});
    }
    WaitCursor wait;
    const LoadSnapshot snapshot = model.snapshot();
    Problems::report(snapshot.fieldProblems);
    TrueDrag::Result result = TrueDrag::trueDrag(snapshot, observations);
    if (!result.ok()) {
        showMessage(result.problem, Title);
        return;
    }
    txtFit->setPlainText(TrueDrag::fitText(result, model.units));
    trued = std::move(result);
    showResults(true);
}
