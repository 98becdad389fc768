// "Wind Zones": up to four winds along the range in a small table (end range, speed, angle), each
// from the previous zone's end; an empty row ends the list. OK is refused, with the reason, while
// the zones do not read.
#pragma once

#include <QDialog>

class QTableWidget;

class dlgWindZones : public QDialog {
    Q_OBJECT
public:
    dlgWindZones(const QString& zones, bool metric, QWidget* parent = nullptr);

    // The zones as the load keeps them ("END SPEED ANGLE; ..."), empty for none.
    QString zonesText() const;
    QTableWidget* table = nullptr;

private:
    void accept() override;
};
