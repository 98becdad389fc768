#include "shell/dlgRangeCard.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

namespace {

QSpinBox* rangeBox(QWidget* parent, const char* name, int least, int most, const QString& unit) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setRange(least, std::max(least, most));
    box->setSuffix(' ' + unit);
    return box;
}

} // namespace

dlgRangeCard::dlgRangeCard(int maxRange, int increment, const QString& unit, QWidget* parent)
    : QDialog(parent), maxRange(maxRange), increment(std::max(increment, 1)) {
    setObjectName(QStringLiteral("dlgRangeCard"));
    setWindowTitle(QStringLiteral("Range Card"));
    optPage = new QRadioButton(QStringLiteral("&Whole page (A4)"), this);
    optPage->setObjectName(QStringLiteral("optPage"));
    optPocket = new QRadioButton(QStringLiteral("&Pocket card (A6, to tape to a stock)"), this);
    optPocket->setObjectName(QStringLiteral("optPocket"));
    optPage->setChecked(true);
    txtFirst = rangeBox(this, "txtFirst", 0, maxRange, unit);
    txtLast = rangeBox(this, "txtLast", 1, maxRange, unit);
    txtStep = rangeBox(this, "txtStep", 1, maxRange, unit);
    buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("&Print\u2026"));

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("&First range:"), txtFirst);
    form->addRow(QStringLiteral("&Last range:"), txtLast);
    form->addRow(QStringLiteral("&Step:"), txtStep);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(optPage);
    layout->addWidget(optPocket);
    layout->addLayout(form);
    layout->addWidget(buttons);

    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    // A pocket card has room for fewer rows: each page size brings its own step.
    connect(optPocket, &QRadioButton::toggled, this, [this](bool pocket) {
        showRows(pocket ? RangeCard::Size::Pocket : RangeCard::Size::Page);
    });
    showRows(RangeCard::Size::Page);
}

void dlgRangeCard::showRows(RangeCard::Size size) {
    const RangeCard::Rows rows = RangeCard::defaultRows(size, maxRange, increment);
    txtFirst->setValue(rows.first);
    txtLast->setValue(rows.last);
    txtStep->setValue(rows.step);
}

RangeCard::Size dlgRangeCard::size() const {
    return optPocket->isChecked() ? RangeCard::Size::Pocket : RangeCard::Size::Page;
}

RangeCard::Rows dlgRangeCard::rows() const {
    return RangeCard::Rows{txtFirst->value(), std::max(txtLast->value(), txtFirst->value()),
                           txtStep->value()};
}
