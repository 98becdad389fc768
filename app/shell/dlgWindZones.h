// "Wind Zones": up to four winds along the range in a small table (end range, speed, angle), each
// from the previous zone's end; an empty row ends the list. OK is refused, with the reason, while
// the zones do not read.
#pragma once

#include "load/InputUnits.h"

#include <QDialog>

class QTableWidget;

class dlgWindZones : public QDialog {
    Q_OBJECT
public:
    // `zones` as the load keeps them, shown with ends in the shown range unit and speeds in the
    // wind unit.
    dlgWindZones(const QString& zones, const InputUnits::FieldUnits& units,
                 QWidget* parent = nullptr);
    // In the files' units: yards or metres as `metric` says, mph.
    dlgWindZones(const QString& zones, bool metric, QWidget* parent = nullptr);

    // The zones as the load keeps them ("END SPEED ANGLE; ..."), empty for none.
    QString zonesText() const;
    // The zones as the table shows them.
    QString shownText() const;
    QTableWidget* table = nullptr;

private:
    void accept() override;

    InputUnits::FieldUnits units;
};
