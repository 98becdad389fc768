// "Range Card": the card's page (a whole page, or a pocket card to tape to a stock) and its rows
// (first and last range, step), asked before the print dialog.
#pragma once

#include "report/RangeCard.h"

#include <QDialog>

class QDialogButtonBox;
class QRadioButton;
class QSpinBox;

class dlgRangeCard : public QDialog {
    Q_OBJECT
public:
    // `maxRange` and `increment`: the load's, in its range unit `unit` ("yd" or "m").
    dlgRangeCard(int maxRange, int increment, const QString& unit, QWidget* parent = nullptr);

    QRadioButton* optPage = nullptr;
    QRadioButton* optPocket = nullptr;
    QSpinBox* txtFirst = nullptr;
    QSpinBox* txtLast = nullptr;
    QSpinBox* txtStep = nullptr;
    QDialogButtonBox* buttons = nullptr;

    RangeCard::Size size() const;
    RangeCard::Rows rows() const;

private:
    void showRows(RangeCard::Size size);

    int maxRange;
    int increment;
};
